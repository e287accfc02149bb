// Recognising an earlier installation from its version records, and what the
// wizard proposes because of it: the program folder and the owner name.
#include "common/errors.h"
#include "common/path.h"
#include "common/shell_services.h"
#include "setuplogic/folder_template.h"
#include "setuplogic/setup_installer.h"

namespace {

constexpr const char* kVersionStringValue = "VersionString";
constexpr const char* kLocationValue = "Location";

// A string value of a key opened read-only; empty when the key does not open
// or the value cannot be read as a string.
std::string ReadRecord(Registry& registry, RegistryRoot root, const std::string& keyPath,
                       const std::string& valueName) {
  auto key = registry.OpenKey(root, keyPath, KeyAccess::Read, false);
  if (!key) return std::string();
  try {
    return key->ReadString(valueName);
  } catch (const ERegistryException&) {
    return std::string();
  }
}

}  // namespace

void TSetupInstaller::FindInstalledVersion() {
  UpgradeFound = false;
  InstalledVersion.ParseVersion("0");
  auto root = platform_.Reg.OpenKey(RegistryRoot::LocalMachine, RegistryRoot, KeyAccess::Read, false);
  if (!root) return;
  for (const std::string& name : root->SubKeyNames()) {
    std::string text = ReadRecord(platform_.Reg, RegistryRoot::LocalMachine, ProductRegistryKey(name),
                                  kVersionStringValue);
    // A key named like a version counts as that version even without its record.
    if (text.empty()) text = name;
    TProgramVersion candidate;
    try {
      candidate.ParseVersion(text);
    } catch (const EProgramVersionError&) {
      continue;  // a key of other settings, such as "Settings"
    }
    // A later major version is another product line, installed side by side.
    if (ProductVersion().Major >= candidate.Major && CompareVersions(candidate, InstalledVersion) > 0) {
      InstalledVersion = candidate;
      UpgradeFound = true;
    }
  }
  // Formed from the version found, so that it names the key this setup
  // would have written for it.
  if (UpgradeFound) InstalledVersionKey = FormatVersionKey(InstalledVersion.Major, InstalledVersion.Minor);
}

void TSetupInstaller::FindProgramFolder() {
  ProgramFolder = JoinPath(TShellServices(platform_).GetProgramFilesFolder(),
                           FormatFolderTemplate(DefaultFolder, ProductVersion().Major));
  InstalledLocation.clear();
  if (!UpgradeFound) return;

  InstalledLocation = ReadRecord(platform_.Reg, RegistryRoot::LocalMachine, ProductRegistryKey(InstalledVersionKey),
                                 kLocationValue);
  if (!InstalledLocation.empty()) {
    // An installation whose key files are gone is no installation to upgrade.
    const std::string major = std::to_string(InstalledVersion.Major);
    for (const TListEntry& file : InstalledFiles) {
      if (file.Name != major) continue;
      if (!platform_.Files.FileExists(JoinPath(InstalledLocation, file.Value))) {
        InstalledLocation.clear();
        break;
      }
    }
  }

  if (InstalledLocation.empty()) {
    UpgradeFound = false;
    return;
  }
  InstalledLocation = IncludeDelimiter(InstalledLocation);
  // An upgrade within the major version goes to the earlier folder.
  if (ProductVersion().Major == InstalledVersion.Major) ProgramFolder = InstalledLocation;
}

void TSetupInstaller::FindOwnerName() {
  PreviousOwner.clear();
  if (UpgradeFound) {
    const TRegistryLocation location = SplitRegistryPath(PersonalizeOwner, InstalledVersionKey, nullptr);
    PreviousOwner = ReadRecord(platform_.Reg, RegistryRoot::CurrentUser, location.KeyPath, location.ValueName);
  }
  OwnerName = PreviousOwner;
  if (OwnerName.empty() && !platform_.Sys.UserName(OwnerName)) OwnerName.clear();
}
