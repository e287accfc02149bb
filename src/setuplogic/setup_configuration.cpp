// Building the setup logic object: the package, "Setup.ini", "Setup.lic",
// "BundleInfo.ini", and the detection steps that give the wizard its first
// values.
#include <utility>

#include "common/errors.h"
#include "common/path.h"
#include "common/shell_services.h"
#include "common/text.h"
#include "setuplogic/bundle_info.h"
#include "setuplogic/setup_ini_schema.h"
#include "setuplogic/setup_installer.h"

namespace {

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
  // Read in this order, so that a missing file is reported before a fault in
  // the settings.
  const std::vector<std::string> setupIni = LoadSetupTextFile("Setup.ini");
  LicenseText.clear();
  for (const std::string& line : LoadSetupTextFile("Setup.lic")) LicenseText += line + "\r\n";
  static_cast<TSetupSettings&>(*this) = ReadSetupSettings(setupIni);

  // InstallDescription is still as written here: a "$InstallDescription" in
  // the message receives the unexpanded text.
  CompleteMessage = ExpandText(CompleteMessage);
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
    if (option.Name == name && option.Value == setup_ini::kNoOverwriteOption) return true;
  return false;
}

std::string TSetupInstaller::ProductPath() { return ExpandPath(CompleteProduct, nullptr); }

std::string TSetupInstaller::ReadmePath() { return ExpandPath(CompleteReadme, nullptr); }
