#include "setuplogic/free_space.h"

#include "common/errors.h"
#include "platform/file_system.h"
#include "setuplogic/messages.h"

namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string VolumeRoot(const std::string& folder) {
  if (folder.size() >= 2 && IsDriveLetter(folder[0]) && folder[1] == ':') return folder.substr(0, 2) + "\\";
  // A network path's volume is its share: \\server\share\. Taking its first
  // two characters as a drive would ask for "\\\", which never answers.
  if (folder.size() > 2 && folder[0] == '\\' && folder[1] == '\\') {
    const size_t shareStart = folder.find('\\', 2);
    if (shareStart == std::string::npos || shareStart == 2 || shareStart + 1 >= folder.size()) return "";
    const size_t shareEnd = folder.find('\\', shareStart + 1);
    if (shareEnd == shareStart + 1) return "";
    return folder.substr(0, shareEnd) + "\\";
  }
  return "";
}

void CheckFreeSpace(FileSystem& files, const std::string& folder, uint64_t required) {
  uint64_t available = 0;
  const std::string root = VolumeRoot(folder);
  if (root.empty() || !files.FreeBytes(root, available)) available = 0;
  // Compared without forming required + reserve, which cannot overflow for a
  // real package but costs nothing to rule out.
  if (available < required || available - required < kFreeSpaceReserve) throw ESetupError(message::kNotEnoughSpace);
}
