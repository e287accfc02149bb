// Modification times of host files.
#pragma once

#include <cstdint>
#include <filesystem>

// The file's modification time in whole Unix seconds (rounded down); raises
// Exception naming the file when it cannot be read.
int64_t ModificationTime(const std::filesystem::path& path);

// Sets the file's modification time to a DOS date-time read as local time, as
// the setup dates the files it installs. Raises Exception naming the file
// when the time cannot be set; does nothing for 0, the date of a package
// stamp outside the DOS range.
void SetModificationTime(const std::filesystem::path& path, uint32_t localDosDateTime);
