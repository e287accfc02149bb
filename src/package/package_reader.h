// Reading a setup package: verification, the walk of its levels, lookups by
// name and inflation of file entries.
//
// The reader trusts nothing it reads. Every header is checked against the
// bounds of its level and the format's limits before it is used, so a damaged
// or hostile package gives the corruption message, never a crash, a hang, a
// huge allocation or a name that leaves its folder.
#pragma once

#include <cstdint>
#include <string>

#include "common/program_version.h"

class TStream;

// The corruption message: a package whose checksum fails or that is cut short
// or impossible in its structure.
inline constexpr const char* kPackageCorrupted =
    "The installer appears to be corrupted. Please download it again";
inline constexpr const char* kInvalidPackageSignature = "Invalid setup data signature";

// One 76-byte entry header.
struct TEntryHeader {
  uint8_t NameLength = 0;
  std::string Name;
  uint32_t FileTime = 0;
  int32_t BodySize = 0;
  int32_t Size = 0;

  bool IsEndMarker() const { return NameLength == 0; }
  bool IsFolder() const { return Size == -1; }
};

TEntryHeader ParseEntryHeader(const uint8_t* raw);
// Whether a name can stand for a file or folder inside its folder: not "." or
// "..", no separators, drive colons or control characters.
bool IsSafeEntryName(const std::string& name);

// An entry found while walking: its header and where its body lies.
struct TPackageEntry {
  TEntryHeader Header;
  int64_t BodyStart = 0;  // stream position of the body's first byte
  int64_t BodyEnd = 0;    // BodyStart + BodySize
  int Depth = 0;          // 0 for the top level
};

// What verification learns of a package.
struct TPackageInfo {
  TProgramVersion Version;
  uint32_t PackageFileDate = 0;  // Stamp as a DOS date-time; 0 outside 1980-2107
  double Stamp = 0;
  int64_t Start = 0;           // stream position of the package's first byte
  int64_t DirectoryStart = 0;  // first top-level entry header
  int64_t End = 0;             // just after the top level's end marker
};

// Checks the package at the stream's position: signature, then the Adler-32
// of DataLength bytes, then the version block and the structure of the whole
// tree. Raises ESetupError "Invalid setup data signature" or the corruption
// message, "Invalid version number on stream", or "Stream read error" when
// even the 28-byte header is missing.
TPackageInfo VerifyPackage(TStream& stream);

// The entries of one level, in package order. The stream position is set
// explicitly before every header is read, so callers may read bodies (and the
// inflater may read ahead) between calls.
class TPackageLevel {
 public:
  TPackageLevel(TStream& stream, int64_t start, int64_t end, int depth);
  // The top level of a verified package.
  TPackageLevel(TStream& stream, const TPackageInfo& info);
  // The entries of a folder entry.
  TPackageLevel(TStream& stream, const TPackageEntry& folder);

  // The next entry, or false at the level's end marker.
  bool Next(TPackageEntry& entry);

 private:
  TStream& stream_;
  int64_t next_;
  int64_t end_;
  int depth_;
  bool done_ = false;
};

// The first top-level folder entry named name (A-Z case-insensitive).
bool FindComponent(TStream& stream, const TPackageInfo& info, const std::string& name,
                   TPackageEntry& component);
// The first top-level file entry named name (A-Z case-insensitive).
bool FindSupportFile(TStream& stream, const TPackageInfo& info, const std::string& name,
                     TPackageEntry& file);

// Total Size of every file below a folder entry, nested folders included.
int64_t FolderContentSize(TStream& stream, const TPackageEntry& folder);

// Inflates exactly Size bytes of a file entry into target. A stream that ends
// first gives "Stream read error", one that inflate rejects "error".
void InflateEntry(TStream& package, const TPackageEntry& file, TStream& target);
