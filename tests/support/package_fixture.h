// Building packages in memory for tests, and damaging them on purpose.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/stream.h"
#include "package/package_writer.h"

// A package of the items with version 1.16 and a stamp of 2024-05-01 12:00.
std::vector<uint8_t> BuildPackage(const std::vector<TPackageItem>& items, const std::string& version = "1.16",
                                  double stamp = 45413.5);

// Recomputes DataLength's checksum after a test changed bytes, so that only
// the structure is wrong. start is the package's offset in bytes.
void FixChecksum(std::vector<uint8_t>& bytes, size_t start = 0);

// A setup executable for the fakes: a stub of stubSize bytes that starts with
// "MZ", its DOS header word 48 pointing at the package appended after it.
std::vector<uint8_t> SetupExecutable(const std::vector<uint8_t>& package, size_t stubSize = 1024);

// An uninstaller copy for the fakes: a 512-byte image flagged as the
// uninstaller in its DOS header, with a record of items and data appended.
std::vector<uint8_t> UninstallerCopy(const std::vector<std::string>& items, const std::string& data,
                                     const std::string& version = "2.10");

// Offset of the first top-level entry header in a package at offset 0.
inline constexpr size_t kFirstEntry = 53;

// A stream over a copy of bytes.
inline TMemoryStream StreamOf(const std::vector<uint8_t>& bytes) { return TMemoryStream(bytes); }
