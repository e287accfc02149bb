// The destination the user chose: whether it can be made, and keeping it.
#include <vector>

#include "common/path.h"
#include "setuplogic/setup_installer.h"

namespace {

// The path and its ancestors below the drive, deepest first; empty for a
// drive root or a bare name.
std::vector<std::string> FolderChain(const std::string& folder) {
  std::vector<std::string> chain;
  std::string path = folder;
  for (;;) {
    path = ExcludeDelimiter(path);
    const std::string parent = ExtractFilePath(path);
    if (parent.empty() || parent == path) break;
    chain.push_back(path);
    path = parent;
  }
  return chain;
}

}  // namespace

bool TSetupInstaller::CanCreateFolder(const std::string& folder) {
  // Anything but "X:\..." would be resolved against the current folder or
  // drive, which is not where the user means to install.
  if (!IsDriveRootedPath(folder)) return false;
  FileSystem& files = platform_.Files;
  std::vector<std::string> chain = FolderChain(folder);
  bool result = !chain.empty();

  // Top-down, and on past a failure, so that every level is tried; what this
  // test made is remembered so that it can be taken away again.
  std::vector<std::string> created;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    switch (files.CreateFolder(*it)) {
      case FolderCreation::Created:
        created.push_back(*it);
        break;
      case FolderCreation::AlreadyExists:
        // A file of that name "exists" too, but nothing can be installed into it.
        if (!files.FolderExists(*it)) result = false;
        break;
      case FolderCreation::Failed:
        result = false;
        break;
    }
  }
  for (auto it = created.rbegin(); it != created.rend(); ++it) files.RemoveFolder(*it);
  return result;
}

void TSetupInstaller::SetProgramFolder(const std::string& folder) { ProgramFolder = IncludeDelimiter(folder); }
