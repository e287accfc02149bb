// The records an installation leaves for the next setup and for the
// uninstaller: where it went, which version it was, the custom folders and
// the owner. A record that cannot be written is no reason to fail the run.
#include "common/errors.h"
#include "common/path.h"
#include "setuplogic/setup_installer.h"

void TSetupInstaller::WriteVersionRecord() {
  auto key = platform_.Reg.OpenKey(RegistryRoot::LocalMachine, ProductRegistryKey(VersionKey), KeyAccess::Full,
                                   true);
  if (!key) return;
  try {
    key->WriteString("Location", ProgramFolder);
    key->WriteString("VersionString", ProductVersion().VersionText());
  } catch (const ERegistryException&) {
    // The next setup then finds no earlier installation.
  }
}

void TSetupInstaller::WriteFolderRecords() {
  for (size_t i = 0; i < Folders.size(); ++i) {
    const std::string folder = ExpandPath(CustomFolderValue(i), nullptr);
    const TRegistryLocation location = CustomFolderRegistryLocation(i, VersionKey);
    auto key = platform_.Reg.OpenKey(RegistryRoot::CurrentUser, location.KeyPath, KeyAccess::Full, true);
    if (!key) continue;
    try {
      key->WriteString(location.ValueName, IncludeDelimiter(folder));
    } catch (const ERegistryException&) {
      // The next folder's record is written all the same.
    }
  }
}

void TSetupInstaller::WriteOwnerRecord() {
  if (PersonalizeOwner.empty()) return;
  const TRegistryLocation location = SplitRegistryPath(PersonalizeOwner, VersionKey, nullptr);
  auto key = platform_.Reg.OpenKey(RegistryRoot::CurrentUser, location.KeyPath, KeyAccess::Full, true);
  if (!key) return;
  try {
    key->WriteString(location.ValueName, OwnerName);
  } catch (const ERegistryException&) {
    // The next setup then proposes the Windows user name.
  }
}
