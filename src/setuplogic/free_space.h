// The free-space check before anything is written: the program folder's
// volume must hold what the components need and a reserve besides.
#pragma once

#include <cstdint>
#include <string>

class FileSystem;

// The reserve asked for on top of the components: one MiB.
inline constexpr uint64_t kFreeSpaceReserve = 1048576;

// The root of the volume that holds folder: "C:\" for a path on drive C:,
// "\\server\share\" for a network path; empty for a relative path or an
// empty text, which lie on no volume that could be asked.
std::string VolumeRoot(const std::string& folder);

// Raises ESetupError "There is not enough space on the destination drive..."
// unless the volume of folder has at least required + kFreeSpaceReserve bytes
// available to the user. A volume that cannot be asked counts as full.
void CheckFreeSpace(FileSystem& files, const std::string& folder, uint64_t required);
