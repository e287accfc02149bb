// The uninstall record: the list of everything an installation created,
// appended to the uninstaller copy "Uninst.exe" (or kept in "Uninstall.dat").
//
//   offset  size        content
//   0       8           "QZ/UNS/3"
//   8       20          reserved (written as zeros, never read)
//   28      25          version block of the installed product
//   53      4           int32 TextLength
//   57      4           int32 DataLength
//   61      TextLength  the items, one per line, each followed by CR LF
//   ...     DataLength  opaque data (the product name)
//
// Each item is a kind letter of "FDTUCME" followed by a path or key path.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/program_version.h"

class FileSystem;
class TStream;

inline constexpr char kRecordSignature[8] = {'Q', 'Z', '/', 'U', 'N', 'S', '/', '3'};
inline constexpr int kRecordHeaderSize = 28;
inline constexpr const char* kInvalidRecordSignature = "Invalid uninstall data signature";
inline constexpr const char* kRecordSideFileName = "Uninstall.dat";

struct TUninstallRecord {
  TProgramVersion Version;
  std::vector<std::string> Items;
  std::vector<uint8_t> Data;
};

// Writes a record at the stream's position.
void WriteUninstallRecord(TStream& out, const TProgramVersion& version, const std::vector<std::string>& items,
                          const uint8_t* data, size_t count);

// Reads a record at the stream's position. A wrong signature raises
// ESetupError "Invalid uninstall data signature"; lengths that are negative or
// run past the end of the stream raise "Stream read error" before anything is
// allocated. Items split at CR LF, a lone CR or a lone LF; a NUL ends the text.
TUninstallRecord ReadUninstallRecord(TStream& in);

// The running executable positioned at its record (DOS header word 48), or
// "Uninstall.dat" in its folder from offset 0 when that word is 0 or less.
std::unique_ptr<TStream> OpenUninstallRecord(FileSystem& files);
