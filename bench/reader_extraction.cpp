#include "reader_extraction.h"

#include "package/package_reader.h"
#include "platform/host/host_file_stream.h"

namespace fs = std::filesystem;

namespace {

void ExtractLevel(TStream& package, TPackageLevel level, const fs::path& folder) {
  TPackageEntry entry;
  while (level.Next(entry)) {
    const fs::path path = folder / fs::path(entry.Header.Name);
    if (entry.Header.IsFolder()) {
      fs::create_directory(path);
      ExtractLevel(package, TPackageLevel(package, entry), path);
    } else {
      THostFileStream target(path, THostFileStream::Mode::Create);
      InflateEntry(package, entry, target);
      target.Close();
    }
  }
}

}  // namespace

void ExtractWithPackageReader(const fs::path& package, const TPackageInfo& info, const fs::path& destination) {
  THostFileStream stream(package, THostFileStream::Mode::Read);
  ExtractLevel(stream, TPackageLevel(stream, info), destination);
}
