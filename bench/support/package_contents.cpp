#include "support/package_contents.h"

#include "package/package_reader.h"

namespace fs = std::filesystem;

namespace {

void ListLevel(TPackageLevel level, TStream& package, const fs::path& folder, TPackageContents& contents) {
  TPackageEntry entry;
  while (level.Next(entry)) {
    const fs::path path = folder / fs::path(entry.Header.Name);
    if (entry.Header.IsFolder()) {
      contents.Folders.push_back(path);
      ListLevel(TPackageLevel(package, entry), package, path, contents);
    } else {
      contents.Files.push_back({path, entry.BodyStart, entry.BodyEnd - entry.BodyStart, entry.Header.Size});
      contents.InflatedBytes += entry.Header.Size;
    }
  }
}

}  // namespace

TPackageContents ListPackageContents(TStream& package, const TPackageInfo& info) {
  TPackageContents contents;
  ListLevel(TPackageLevel(package, info), package, fs::path(), contents);
  return contents;
}
