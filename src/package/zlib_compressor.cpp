#include "package/zlib_compressor.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

#ifdef SETUP_HAVE_LIBDEFLATE
#include <libdeflate.h>
#endif

#include "common/errors.h"

namespace {

std::vector<uint8_t> CompressWithZlib(const uint8_t* bytes, size_t count) {
  z_stream z{};
  // Level 9 with the full 32 KiB window; memLevel 9 finds a few more matches
  // than the default and still gives the 78 DA header.
  if (deflateInit2(&z, 9, Z_DEFLATED, 15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
    throw Exception("Cannot start the compressor");
  std::vector<uint8_t> out(deflateBound(&z, static_cast<uLong>(std::min<size_t>(count, 0x7FFFFFFF))) + 64);
  size_t produced = 0;
  const uint8_t* next = bytes;
  size_t left = count;
  int result;
  do {
    const uInt chunk = static_cast<uInt>(std::min<size_t>(left, 1u << 30));
    z.next_in = const_cast<Bytef*>(next);
    z.avail_in = chunk;
    next += chunk;
    left -= chunk;
    do {
      if (out.size() - produced < 65536) out.resize(out.size() + out.size() / 2 + 65536);
      z.next_out = out.data() + produced;
      z.avail_out = static_cast<uInt>(std::min<size_t>(out.size() - produced, 1u << 30));
      const uInt before = z.avail_out;
      result = deflate(&z, left == 0 ? Z_FINISH : Z_NO_FLUSH);
      produced += before - z.avail_out;
    } while (z.avail_out == 0 || (left == 0 && result == Z_OK));
  } while (left > 0);
  deflateEnd(&z);
  if (result != Z_STREAM_END) throw Exception("The compressor failed");
  out.resize(produced);
  return out;
}

}  // namespace

#ifdef SETUP_HAVE_LIBDEFLATE

// libdeflate at level 9 packs smaller and faster than zlib at level 9; its zlib header
// is the same 78 DA and any inflater reads the result.
TZlibCompressor::TZlibCompressor() : libdeflate_(libdeflate_alloc_compressor(9)) {}

TZlibCompressor::~TZlibCompressor() {
  if (libdeflate_ != nullptr) libdeflate_free_compressor(libdeflate_);
}

std::vector<uint8_t> TZlibCompressor::Compress(const uint8_t* bytes, size_t count) {
  // libdeflate writes no data as an empty stored block (11 bytes); zlib's
  // 8-byte stream is the one the package format names for an empty file.
  if (count == 0 || libdeflate_ == nullptr) return CompressWithZlib(bytes, count);
  std::vector<uint8_t> out(libdeflate_zlib_compress_bound(libdeflate_, count));
  const size_t size = libdeflate_zlib_compress(libdeflate_, bytes, count, out.data(), out.size());
  if (size == 0) return CompressWithZlib(bytes, count);
  out.resize(size);
  return out;
}

const char* CompressorName() { return "libdeflate level 9"; }

#else

TZlibCompressor::TZlibCompressor() = default;

TZlibCompressor::~TZlibCompressor() = default;

std::vector<uint8_t> TZlibCompressor::Compress(const uint8_t* bytes, size_t count) {
  return CompressWithZlib(bytes, count);
}

const char* CompressorName() { return "zlib level 9"; }

#endif

std::vector<uint8_t> CompressZlib(const uint8_t* bytes, size_t count) {
  return TZlibCompressor().Compress(bytes, count);
}
