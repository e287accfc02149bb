#include "setuplogic/install_rights.h"

#include <climits>
#include <string>

#include "common/path.h"
#include "common/shell_services.h"
#include "setuplogic/setup_installer.h"

bool HasInstallRights(Platform& platform) {
  // Rights are tried, not looked up: a folder made and removed in Program
  // Files, and the machine's software key opened for writing, are what the
  // installation itself will need.
  const std::string programFiles = ExcludeDelimiter(TShellServices(platform).GetProgramFilesFolder());
  for (int n = 0; n < INT_MAX; ++n) {
    const std::string probe = programFiles + "\\Test" + std::to_string(n);
    const FolderCreation creation = platform.Files.CreateFolder(probe);
    if (creation == FolderCreation::Created) {
      platform.Files.RemoveFolder(probe);
      return platform.Reg.OpenKey(RegistryRoot::LocalMachine, "\\SOFTWARE", KeyAccess::Full, true) != nullptr;
    }
    // A probe folder that exists belongs to someone else: try the next name.
    if (creation != FolderCreation::AlreadyExists) return false;
  }
  return false;
}

bool TSetupInstaller::HasInstallRights() { return ::HasInstallRights(platform_); }
