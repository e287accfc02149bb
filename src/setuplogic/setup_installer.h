// The setup logic: the installation's settings read from "Setup.ini" and its
// companions, their symbols, the host folders of plug-ins, an earlier
// installation, and the installation run itself. The wizard creates one and
// shows and edits its settings; Install does the work.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/program_version.h"
#include "common/stream.h"
#include "package/installer.h"
#include "platform/platform.h"
#include "setuplogic/install_progress.h"
#include "setuplogic/jpeg_decoder.h"
#include "setuplogic/setup_bundle_item.h"
#include "setuplogic/setup_settings.h"

// A registry value named by a settings text: the key path (from the root,
// beginning with "\") and the value name ("" is the key's default value).
struct TRegistryLocation {
  std::string KeyPath;
  std::string ValueName;
  bool operator==(const TRegistryLocation&) const = default;
};

class TSetupInstaller : public TSetupSettings {
 public:
  // Opens and verifies the package, reads "Setup.ini", "Setup.lic" and, for a
  // bundle, "BundleInfo.ini", and detects folders and an earlier
  // installation. Raises the package's, the file layer's and the settings'
  // errors ("Invalid configuration in Setup.ini", version and time errors).
  explicit TSetupInstaller(Platform& platform);

  // -- settings (setup_configuration.cpp) ------------------------------------
  // The settings of "Setup.ini" come from TSetupSettings; CompleteMessage and
  // InstallDescription with their text symbols expanded, CompleteReadme and
  // CompleteProduct unexpanded (see ReadmePath and ProductPath).
  unsigned SelectedShortcuts = 0;  // setup_shortcut bits, chosen in the wizard
  std::string LicenseText;         // "Setup.lic", lines joined with CR LF
  std::vector<std::unique_ptr<TSetupBundleItem>> BundleItemList;

  // -- found while the object is built (plugin_folders.cpp, installed_version.cpp)
  std::string VersionKey;  // FormatVersionKey of the package version
  std::string ApplicationDataFolder;
  std::string DocumentsFolder;
  bool InstallVstPlugin = true, InstallVst3Plugin = true, InstallDigiPlugin = true, InstallPhotoshopPlugin = true;
  std::string VstPluginFolder, Vst3PluginFolder, DigiPluginFolder, PhotoshopPluginFolder;
  bool HasVst3Components = false;
  std::string Vst3ItemList;
  TProgramVersion InstalledVersion;
  std::string InstalledVersionKey;
  bool UpgradeFound = false;
  std::string InstalledLocation;
  std::string ProgramFolder;
  std::string PreviousOwner;
  std::string OwnerName;
  uint64_t RequiredSpace = 0;  // bytes the components need; 64 bits, packages may hold more than 4 GiB

  // -- configuration (setup_configuration.cpp) --------------------------------
  // The package's top-level file of that name, else the file beside the
  // executable (the open error names it when it is neither).
  std::unique_ptr<TStream> OpenSetupFile(const std::string& name);
  std::vector<std::string> LoadSetupTextFile(const std::string& name);
  int BundleItemCount() const { return static_cast<int>(BundleItemList.size()); }
  TSetupBundleItem& BundleItem(int index) { return *BundleItemList.at(static_cast<size_t>(index)); }
  const TSetupBundleItem& BundleItem(int index) const { return *BundleItemList.at(static_cast<size_t>(index)); }
  const TProgramVersion& ProductVersion() const { return engine_->Version; }
  std::string FullProductName() const;
  std::string FormatVersionKey(int32_t major, int32_t minor) const;
  std::string ProductRegistryKey(const std::string& sub) const;
  bool IsNoOverwrite(const std::string& name) const;
  std::string ProductPath();
  std::string ReadmePath();

  // -- symbols, through the table of setup_symbols.h (symbol_expansion.cpp) ------
  std::string ExpandText(const std::string& text) const;
  // Expanded folder text, or "" when it names a declined plug-in folder or
  // $BundleItem without an item.
  std::string ExpandPath(const std::string& text, const TSetupBundleItem* item);
  std::string CustomFolderValue(size_t index);
  TRegistryLocation CustomFolderRegistryLocation(size_t index, const std::string& versionKey);
  TRegistryLocation SplitRegistryPath(const std::string& path, const std::string& versionKey,
                                      const TSetupBundleItem* item);

  // -- plug-in host folders (plugin_folders.cpp) -------------------------------
  void FindDigiPluginFolder();
  void FindVstPluginFolder();
  void FindVst3Folder();
  void FindPhotoshopPluginFolder();
  bool ItemHasVst3Components(const TSetupBundleItem* item);
  static bool IsVst3Destination(const std::string& destination);
  // The engine's file-name hook for VST 3 components: ".dll" becomes ".vst3".
  static void RenameVst3File(std::string& path);

  // -- rights (install_rights.cpp) ---------------------------------------------
  // The free HasInstallRights of install_rights.h.
  bool HasInstallRights();

  // -- an earlier installation (installed_version.cpp) --------------------------
  void FindInstalledVersion();
  void FindProgramFolder();
  void FindOwnerName();

  // -- the destination folder (destination_folder.cpp) --------------------------
  // Whether every missing folder of a fully qualified path (X:\...) can be
  // made: tried top-down, and what the test made is removed again. False for
  // a drive root, a relative path, and a path through or onto a file.
  bool CanCreateFolder(const std::string& folder);
  // One trailing backslash; the empty text stays empty.
  void SetProgramFolder(const std::string& folder);

  // -- the records of this installation (version_records.cpp) -------------------
  void WriteVersionRecord();
  void WriteFolderRecords();
  void WriteOwnerRecord();

  // -- the side image (side_image.cpp) ------------------------------------------
  // "Setup.jpg" decoded; the open error or "JPEG error #%d".
  TDecodedImage LoadSideImage();

  // -- the installation run (installation_run.cpp; its steps in setup_shortcuts.h
  //    and registry_settings.h) -------------------------------------------------
  void Install(IInstallProgress& progress);

  TInstaller& Engine() { return *engine_; }
  Platform& PlatformServices() { return platform_; }

 private:
  void LoadConfiguration();
  void LoadBundleItems();

  Platform& platform_;
  std::unique_ptr<TInstaller> engine_;
};
