// Writing setup packages: the packing tool's core, also used by the tests to
// build fixture packages.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/program_version.h"

class TStream;

// One entry to be written. Names are stored as given (ANSI, 1 to 63 bytes,
// a single name); the writer refuses anything else.
struct TPackageItem {
  std::string Name;
  bool IsFolder = false;
  uint32_t FileTime = 0;              // DOS date-time of the source file
  std::vector<TPackageItem> Children;  // a folder's entries, in package order
  // A file's content: read from SourcePath when it is not empty, else Content.
  std::filesystem::path SourcePath;
  uint64_t SourceSize = 0;  // the expected size of SourcePath, for progress
  std::vector<uint8_t> Content;

  static TPackageItem Folder(std::string name, std::vector<TPackageItem> children = {});
  static TPackageItem File(std::string name, std::string content);
};

struct TPackageOptions {
  TProgramVersion Version;
  double Stamp = 0;     // local date-time, days since 1899-12-30
  int32_t Reserved = 0;
  int Jobs = 1;         // files compressed at once
  // Called now and then with the input bytes done and the total.
  std::function<void(uint64_t done, uint64_t total)> Progress;
};

// Writes a complete package at the stream's position and answers its length.
// Raises Exception with a message naming the entry for a name that cannot be
// stored, a file of 2 GiB or more, a file that cannot be read, or a package
// that would be 2 GiB or more.
int64_t WritePackage(TStream& out, const std::vector<TPackageItem>& topLevel, const TPackageOptions& options);

// The raw 76-byte header of an entry, for tests that build damaged packages.
void StoreEntryHeader(uint8_t* raw, const std::string& name, uint32_t fileTime, int32_t bodySize, int32_t size);
