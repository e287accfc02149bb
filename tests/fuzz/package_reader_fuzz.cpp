// Feeds arbitrary bytes to the package reader: verification, the walk of the
// whole tree, lookups and inflation must end in an error message or success,
// never in a crash, a hang or a huge allocation.
#include <cstddef>
#include <cstdint>

#include "common/errors.h"
#include "common/stream.h"
#include "package/package_reader.h"

namespace {

// Takes whatever is written and keeps nothing.
class TNullStream : public TStream {
 public:
  size_t Read(void*, size_t) override { return 0; }
  size_t Write(const void*, size_t count) override { return count; }
  int64_t Seek(int64_t, SeekOrigin) override { return 0; }
};

void Walk(TStream& stream, TPackageLevel level) {
  TPackageEntry entry;
  while (level.Next(entry)) {
    if (entry.Header.IsFolder()) {
      FolderContentSize(stream, entry);
      Walk(stream, TPackageLevel(stream, entry));
    } else {
      TNullStream sink;
      try {
        InflateEntry(stream, entry, sink);
      } catch (const Exception&) {
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMemoryStream stream(std::vector<uint8_t>(data, data + size));
  try {
    const TPackageInfo info = VerifyPackage(stream);
    Walk(stream, TPackageLevel(stream, info));
    TPackageEntry entry;
    FindComponent(stream, info, "Main", entry);
    FindSupportFile(stream, info, "Setup.ini", entry);
  } catch (const Exception&) {
  }
  return 0;
}
