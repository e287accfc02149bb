// Building the setup logic object: the package, "Setup.ini", "Setup.lic",
// "BundleInfo.ini", and the detection steps that give the wizard its first
// values.
#include <utility>

#include "common/errors.h"
#include "common/path.h"
#include "common/shell_services.h"
#include "common/text.h"
#include "setuplogic/bundle_info.h"
#include "setuplogic/folder_template.h"
#include "setuplogic/ini_file.h"
#include "setuplogic/setup_installer.h"

namespace {

constexpr const char* kInvalidConfiguration = "Invalid configuration in Setup.ini";
constexpr const char* kDefaultCompleteMessage =
    "$ProductName has been installed successfully. You can start $ProductName from the Start menu or the "
    "desktop. Please read the Readme.txt file for additional information.";

// A list section's NAME=VALUE lines. A line without "=" means nothing in a
// list, so it is left out rather than given an empty name.
TSettingList ReadSettingList(const TIniFile& ini, const char* section) {
  TSettingList list;
  for (const TIniEntry& entry : ini.ReadList(section))
    if (entry.HasKey) list.push_back(TListEntry{entry.Key, entry.Value, entry.Line});
  return list;
}

bool HasKey(const TSettingList& list, const char* key) {
  for (const TListEntry& entry : list)
    if (SameText(entry.Name, key)) return true;
  return false;
}

// A registry root as every key below it is formed from it: from the root
// of the hive, and without trailing backslashes, which would put an empty
// name before the version key ("\Software\Maker\\2.0").
std::string RootedKeyPath(const std::string& keyPath) {
  std::string rooted = StartsWith(keyPath, "\\") ? keyPath : "\\" + keyPath;
  while (rooted.size() > 1 && rooted.back() == '\\') rooted.pop_back();
  return rooted;
}

std::string ReadAll(TStream& stream) {
  std::string text;
  char buffer[16384];
  while (const size_t count = stream.Read(buffer, sizeof buffer)) text.append(buffer, count);
  return text;
}

}  // namespace

TSetupInstaller::TSetupInstaller(Platform& platform) : platform_(platform) {
  engine_ = std::make_unique<TInstaller>(platform_);
  LoadConfiguration();
  VersionKey = FormatVersionKey(ProductVersion().Major, ProductVersion().Minor);

  TShellServices shell(platform_);
  ApplicationDataFolder = shell.GetApplicationDataFolder();
  DocumentsFolder = shell.GetDocumentsFolder();

  // All plug-ins are wanted until the wizard hears otherwise, so that no
  // component name is blanked while the folders are being found.
  InstallVstPlugin = InstallVst3Plugin = InstallDigiPlugin = InstallPhotoshopPlugin = true;

  // The program folder and the owner name depend on the installed version.
  FindInstalledVersion();
  FindProgramFolder();
  FindDigiPluginFolder();
  FindVstPluginFolder();
  FindVst3Folder();
  FindPhotoshopPluginFolder();
  FindOwnerName();
}

void TSetupInstaller::LoadConfiguration() {
  const TIniFile ini(LoadSetupTextFile("Setup.ini"));

  IsBundle = ini.ReadBool("Setup", "IsBundle", false);
  ProductName = ini.ReadString("Setup", "ProductName", "");
  ProductSuffix = ini.ReadString("Setup", "ProductSuffix", "");
  RegistryRoot = ini.ReadString("Setup", "RegistryRoot", "");
  InstallDescription = ini.ReadString("Setup", "InstallDescription", "$ProductName");
  IgnoreMinorVersion = ini.ReadBool("Setup", "IgnoreMinorVersion", true);
  DefaultFolder = ini.ReadString("Setup", "DefaultFolder", "");
  PersonalizeOwner = ini.ReadString("Setup", "PersonalizeOwner", "");
  PersonalizeInfo = ini.ReadString("Setup", "PersonalizeInfo", "");
  BundleSelectHeading = ini.ReadString("Setup", "BundleSelectHeading", "");
  BundleSelectDescription = ini.ReadString("Setup", "BundleSelectDescription", "");
  BundleRegistryRoot = ini.ReadString("Setup", "BundleRegistryRoot", "");
  BundleItemName = ini.ReadString("Setup", "BundleItemName", "");

  Pages = 0;
  if (ini.ReadBool("Pages", "VstPluginFolder", false)) Pages |= setup_page::kVstPluginFolder;
  if (ini.ReadBool("Pages", "DigiPluginFolder", false)) Pages |= setup_page::kDigiPluginFolder;
  if (ini.ReadBool("Pages", "PhotoshopPluginFolder", false)) Pages |= setup_page::kPhotoshopPluginFolder;
  if (ini.ReadBool("Pages", "Personalization", false)) Pages |= setup_page::kPersonalization;

  InstalledFiles = ReadSettingList(ini, "InstalledFiles");
  Folders = ReadSettingList(ini, "Folders");
  FoldersRegistry = ReadSettingList(ini, "FoldersRegistry");
  Components = ReadSettingList(ini, "Components");
  ComponentsOptions = ReadSettingList(ini, "ComponentsOptions");
  CallLibraries = ReadSettingList(ini, "CallLibraries");
  RegistrySettings = ReadSettingList(ini, "RegistrySettings");
  GlobalRegistrySettings = ReadSettingList(ini, "GlobalRegistrySettings");
  Shortcuts = ReadSettingList(ini, "Shortcuts");

  // InstallDescription is still as written here: a "$InstallDescription" in
  // the message receives the unexpanded text.
  CompleteMessage = ExpandText(ini.ReadString("Complete", "Message", kDefaultCompleteMessage));
  CompleteReadme = ini.ReadString("Complete", "Readme", "");
  CompleteProduct = ini.ReadString("Complete", "Product", "");

  LicenseText.clear();
  for (const std::string& line : LoadSetupTextFile("Setup.lic")) LicenseText += line + "\r\n";

  if (RegistryRoot.empty() || DefaultFolder.empty() || (IsBundle && BundleRegistryRoot.empty()))
    throw Exception(kInvalidConfiguration);
  // Found now rather than when the folder is first formatted, so that the
  // message names the setting before anything else has been looked at.
  FormatFolderTemplate(DefaultFolder, 0);

  RegistryRoot = RootedKeyPath(RegistryRoot);
  if (IsBundle) BundleRegistryRoot = RootedKeyPath(BundleRegistryRoot);

  AvailableShortcuts = 0;
  if (HasKey(Shortcuts, "StartMenu")) AvailableShortcuts |= setup_shortcut::kStartMenu;
  if (HasKey(Shortcuts, "Desktop")) AvailableShortcuts |= setup_shortcut::kDesktop;

  InstallDescription = ExpandText(InstallDescription);

  if (IsBundle) LoadBundleItems();
}

void TSetupInstaller::LoadBundleItems() {
  for (const TBundleInfoLine& line : ParseBundleInfo(LoadSetupTextFile("BundleInfo.ini")))
    BundleItemList.push_back(std::make_unique<TSetupBundleItem>(line.Name, line.ProductName, line.VersionText,
                                                                BundleItemName, engine_->PackageFileDate));
}

std::unique_ptr<TStream> TSetupInstaller::OpenSetupFile(const std::string& name) {
  if (std::unique_ptr<TMemoryStream> packaged = engine_->ReadPackageFile(name)) return packaged;
  return platform_.Files.OpenRead(ApplicationFolder(platform_.Files) + name);
}

std::vector<std::string> TSetupInstaller::LoadSetupTextFile(const std::string& name) {
  std::unique_ptr<TStream> stream = OpenSetupFile(name);
  return SplitLines(ReadAll(*stream));
}

std::string TSetupInstaller::FullProductName() const {
  std::string name = IsBundle ? ProductName : ProductName + " " + ProductVersion().VersionText();
  if (!ProductSuffix.empty()) name += " " + ProductSuffix;
  return name;
}

std::string TSetupInstaller::FormatVersionKey(int32_t major, int32_t minor) const {
  return std::to_string(major) + "." + std::to_string(IgnoreMinorVersion ? 0 : minor);
}

std::string TSetupInstaller::ProductRegistryKey(const std::string& sub) const { return RegistryRoot + "\\" + sub; }

bool TSetupInstaller::IsNoOverwrite(const std::string& name) const {
  for (const TListEntry& option : ComponentsOptions)
    if (option.Name == name && option.Value == "NoOverwrite") return true;
  return false;
}

std::string TSetupInstaller::ProductPath() { return ExpandPath(CompleteProduct, nullptr); }

std::string TSetupInstaller::ReadmePath() { return ExpandPath(CompleteReadme, nullptr); }
