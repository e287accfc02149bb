#include "support/plain_inflate.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "support/c_file.h"

namespace fs = std::filesystem;

namespace {

struct TBuffers {
  std::vector<unsigned char> Input = std::vector<unsigned char>(kPlainBufferSize);
  std::vector<unsigned char> Output = std::vector<unsigned char>(kPlainBufferSize);
};

void InflateFile(TCFile& package, const TPackedFile& file, const fs::path& target, TBuffers& buffers) {
  package.SeekTo(file.BodyStart);
  TCFile out(target, "wb");
  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw std::runtime_error("inflateInit failed");
  int64_t inputLeft = file.BodySize;
  int64_t written = 0;
  int result = Z_OK;
  while (result != Z_STREAM_END) {
    if (z.avail_in == 0) {
      const size_t want = static_cast<size_t>(std::min<int64_t>(inputLeft, kPlainBufferSize));
      const size_t got = want == 0 ? 0 : std::fread(buffers.Input.data(), 1, want, package.Get());
      if (got == 0) break;
      inputLeft -= static_cast<int64_t>(got);
      z.next_in = buffers.Input.data();
      z.avail_in = static_cast<uInt>(got);
    }
    z.next_out = buffers.Output.data();
    z.avail_out = static_cast<uInt>(buffers.Output.size());
    result = inflate(&z, Z_NO_FLUSH);
    if (result != Z_OK && result != Z_STREAM_END) break;
    const size_t produced = buffers.Output.size() - z.avail_out;
    out.WriteAll(buffers.Output.data(), produced);
    written += static_cast<int64_t>(produced);
  }
  inflateEnd(&z);
  out.Close();
  if (result != Z_STREAM_END || written != file.Size)
    throw std::runtime_error("the stream of \"" + file.RelativePath.generic_string() + "\" does not inflate");
}

}  // namespace

void PlainInflateToDisk(const fs::path& package, const TPackageContents& contents, const fs::path& destination) {
  for (const fs::path& folder : contents.Folders) fs::create_directory(destination / folder);
  TCFile in(package, "rb");
  TBuffers buffers;
  for (const TPackedFile& file : contents.Files) InflateFile(in, file, destination / file.RelativePath, buffers);
}
