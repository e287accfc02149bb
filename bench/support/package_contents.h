// Where every file of a package lies, found once before the measurements so
// that the plain baseline can inflate the same streams at the same offsets
// without the package reader.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

class TStream;
struct TPackageInfo;

struct TPackedFile {
  std::filesystem::path RelativePath;  // components and support files alike
  int64_t BodyStart = 0;               // offset of the zlib stream in the package file
  int64_t BodySize = 0;
  int64_t Size = 0;                    // inflated
};

struct TPackageContents {
  std::vector<std::filesystem::path> Folders;  // parents before their children
  std::vector<TPackedFile> Files;              // in package order
  int64_t InflatedBytes = 0;
};

// Walks the whole tree of a verified package. Entry names are taken as
// they are stored, which is right for the benchmark's ASCII names.
TPackageContents ListPackageContents(TStream& package, const TPackageInfo& info);
