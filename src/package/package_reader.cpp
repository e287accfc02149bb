#include "package/package_reader.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/date_time.h"
#include "common/errors.h"
#include "common/stream.h"
#include "common/text.h"
#include "package/adler32.h"
#include "package/package_checksum.h"
#include "package/package_format.h"

namespace pf = package_format;

namespace {

[[noreturn]] void Corrupted() { throw ESetupError(kPackageCorrupted); }

double LoadDouble(const uint8_t* bytes) {
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = bits << 8 | bytes[i];
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

void CheckTree(TStream& stream, TPackageLevel level) {
  TPackageEntry entry;
  while (level.Next(entry))
    if (entry.Header.IsFolder()) CheckTree(stream, TPackageLevel(stream, entry));
}

bool FindTopLevel(TStream& stream, const TPackageInfo& info, const std::string& name, bool folder,
                  TPackageEntry& found) {
  TPackageLevel level(stream, info);
  TPackageEntry entry;
  while (level.Next(entry)) {
    if (entry.Header.IsFolder() == folder && SameText(entry.Header.Name, name)) {
      found = entry;
      stream.SetPosition(entry.BodyStart);
      return true;
    }
  }
  return false;
}

}  // namespace

TEntryHeader ParseEntryHeader(const uint8_t* raw) {
  TEntryHeader header;
  header.NameLength = raw[0];
  header.Name.assign(reinterpret_cast<const char*>(raw + 1),
                     std::min<size_t>(raw[0], pf::kMaxNameLength));
  header.FileTime = LoadUInt32(raw + 64);
  header.BodySize = LoadInt32(raw + 68);
  header.Size = LoadInt32(raw + 72);
  return header;
}

bool IsSafeEntryName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || c == '\\' || c == '/' || c == ':') return false;
  }
  return true;
}

TPackageLevel::TPackageLevel(TStream& stream, int64_t start, int64_t end, int depth)
    : stream_(stream), next_(start), end_(end), depth_(depth) {
  if (depth > pf::kMaxFolderDepth) Corrupted();
}

TPackageLevel::TPackageLevel(TStream& stream, const TPackageInfo& info)
    : TPackageLevel(stream, info.DirectoryStart, info.End, 0) {}

TPackageLevel::TPackageLevel(TStream& stream, const TPackageEntry& folder)
    : TPackageLevel(stream, folder.BodyStart, folder.BodyEnd, folder.Depth + 1) {}

bool TPackageLevel::Next(TPackageEntry& entry) {
  if (done_) return false;
  // Every level, even an empty one, holds at least its end marker.
  if (next_ + pf::kEntryHeaderSize > end_) Corrupted();
  uint8_t raw[pf::kEntryHeaderSize];
  stream_.SetPosition(next_);
  if (stream_.Read(raw, sizeof raw) != sizeof raw) Corrupted();
  TEntryHeader header = ParseEntryHeader(raw);
  if (header.IsEndMarker()) {
    done_ = true;
    return false;
  }
  const int64_t bodyStart = next_ + pf::kEntryHeaderSize;
  const int64_t bodyEnd = bodyStart + header.BodySize;
  if (header.NameLength > pf::kMaxNameLength || !IsSafeEntryName(header.Name) || header.BodySize < 0 ||
      header.Size < -1 || bodyEnd > end_)
    Corrupted();
  // A folder must at least hold its end marker; a file at least a zlib header
  // and trailer unless it is empty.
  if (header.IsFolder() && header.BodySize < pf::kEntryHeaderSize) Corrupted();
  entry.Header = std::move(header);
  entry.BodyStart = bodyStart;
  entry.BodyEnd = bodyEnd;
  entry.Depth = depth_;
  next_ = bodyEnd;
  return true;
}

TPackageInfo VerifyPackage(TStream& stream) {
  TPackageInfo info;
  info.Start = stream.Position();
  uint8_t header[pf::kHeaderSize];
  stream.ReadBuffer(header, sizeof header);
  if (std::memcmp(header, pf::kSignature, sizeof pf::kSignature) != 0)
    throw ESetupError(kInvalidPackageSignature);
  const int32_t dataLength = LoadInt32(header + 8);
  const uint32_t checksum = LoadUInt32(header + 12);
  info.Stamp = LoadDouble(header + 16);

  const int64_t afterHeader = stream.Position();
  int64_t available = 0;
  const uint32_t actual = StreamAdler32(stream, dataLength, &available);
  if (!PackageChecksumMatches(actual, checksum)) Corrupted();
  // A package cut short or too small to hold a version block and an end
  // marker is damaged, even when the bytes that are there happen to match.
  if (dataLength < pf::kMinDataLength || available != dataLength) Corrupted();
  stream.SetPosition(afterHeader);

  info.PackageFileDate = DateTimeToDosDateTime(info.Stamp);
  info.Version.ReadVersion(stream);
  info.DirectoryStart = stream.Position();
  info.End = afterHeader + dataLength;

  CheckTree(stream, TPackageLevel(stream, info));
  return info;
}

bool FindComponent(TStream& stream, const TPackageInfo& info, const std::string& name,
                   TPackageEntry& component) {
  return FindTopLevel(stream, info, name, true, component);
}

bool FindSupportFile(TStream& stream, const TPackageInfo& info, const std::string& name,
                     TPackageEntry& file) {
  return FindTopLevel(stream, info, name, false, file);
}

int64_t FolderContentSize(TStream& stream, const TPackageEntry& folder) {
  int64_t total = 0;
  TPackageLevel level(stream, folder);
  TPackageEntry entry;
  while (level.Next(entry))
    total += entry.Header.IsFolder() ? FolderContentSize(stream, entry) : entry.Header.Size;
  return total;
}

void InflateEntry(TStream& package, const TPackageEntry& file, TStream& target) {
  int64_t remaining = file.Header.Size;
  if (remaining <= 0) return;

  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw EZDecompressionError(kDecompressionError);
  struct Ender {
    z_stream* z;
    ~Ender() { inflateEnd(z); }
  } ender{&z};

  constexpr size_t kBufferSize = 64 * 1024;
  std::vector<uint8_t> input(kBufferSize), output(kBufferSize);
  int64_t inputLeft = file.BodyEnd - file.BodyStart;
  package.SetPosition(file.BodyStart);

  while (remaining > 0) {
    if (z.avail_in == 0) {
      // The stream may not read past its own body.
      const size_t want = static_cast<size_t>(std::min<int64_t>(inputLeft, kBufferSize));
      const size_t got = want == 0 ? 0 : package.Read(input.data(), want);
      if (got == 0) throw EReadError(kStreamReadError);
      inputLeft -= static_cast<int64_t>(got);
      z.next_in = input.data();
      z.avail_in = static_cast<uInt>(got);
    }
    z.next_out = output.data();
    z.avail_out = static_cast<uInt>(std::min<int64_t>(remaining, kBufferSize));
    const uInt inputBefore = z.avail_in;
    const int result = inflate(&z, Z_NO_FLUSH);
    const size_t produced = static_cast<size_t>(z.next_out - output.data());
    // With input and room for output, inflate always moves; a stream on which
    // it cannot is one it rejects.
    if (produced == 0 && z.avail_in == inputBefore && result != Z_STREAM_END)
      throw EZDecompressionError(kDecompressionError);
    if (produced > 0) {
      target.WriteBuffer(output.data(), produced);
      remaining -= static_cast<int64_t>(produced);
    }
    if (result == Z_STREAM_END) {
      if (remaining > 0) throw EReadError(kStreamReadError);
      break;
    }
    if (result != Z_OK && result != Z_BUF_ERROR) throw EZDecompressionError(kDecompressionError);
  }
}
