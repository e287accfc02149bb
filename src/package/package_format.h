// The setup package: layout, constants and limits.
//
// A package is appended to the setup executable (the int32 at file offset 48
// of the executable's DOS header gives its offset; 0 or less means it is the
// side file "Setup.dat", from offset 0) and reads, little-endian:
//
//   offset  size  content
//   0       28    package header
//                   char[8]  Signature  "QZ/ISB/3"
//                   int32    DataLength bytes after the header covered by Checksum
//                   uint32   Checksum   Adler-32 (from 1) of those bytes
//                   float64  Stamp      local date-time, days since 1899-12-30;
//                                       the default date of extracted files
//                   int32    reserved   not read
//   28      25    version block of the product (see program_version.h)
//   53      ...   top-level directory: entries closed by an end marker
//
// Every entry starts with a 76-byte header:
//
//   0   uint8     name length, 1..63; 0 makes the header an end marker
//   1   char[63]  Name (the first name-length bytes; the rest is ignored)
//   64  uint32    FileTime  DOS date-time of the source file; not read
//   68  int32     BodySize  bytes after the header that belong to the entry
//   72  int32     Size      -1: folder; else the file's inflated length
//
// A file's body is one zlib stream (RFC 1950) that inflates to Size bytes. A
// folder's body is its own entries closed by an end marker. Top-level folders
// are components; top-level files are support files such as "Setup.ini".
// Names are single names compared without regard to the case of A-Z.
//
// The package ends right after the top level's end marker, so DataLength is
// the package length minus 28. Anything after it (the code-signing table of a
// signed setup, for one) is never read.
#pragma once

#include <cstdint>

namespace package_format {

inline constexpr char kSignature[8] = {'Q', 'Z', '/', 'I', 'S', 'B', '/', '3'};
inline constexpr int kHeaderSize = 28;
inline constexpr int kDirectoryOffset = 53;  // header + version block
inline constexpr int kEntryHeaderSize = 76;
inline constexpr int kMaxNameLength = 63;
inline constexpr int32_t kFolderSize = -1;

// The DOS header words of the setup executable.
inline constexpr int kPackageOffsetWord = 48;
inline constexpr int kRunModeWord = 52;
inline constexpr int32_t kUninstallerRunMode = 1;

inline constexpr const char* kSideFileName = "Setup.dat";

// Folders nest no deeper than this: no real product needs more, and a path
// this deep no longer fits a Windows path anyway.
inline constexpr int kMaxFolderDepth = 64;

// The smallest DataLength: the version block and the top level's end marker.
inline constexpr int kMinDataLength = 25 + kEntryHeaderSize;

}  // namespace package_format
