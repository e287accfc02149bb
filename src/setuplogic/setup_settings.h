// The settings of "Setup.ini" as the setup reads them, before any symbol is
// expanded. ReadSetupSettings is a function of the file's lines alone, so
// what a vendor writes can be tried without a package or a machine.
#pragma once

#include <string>
#include <vector>

// One entry of a list section of "Setup.ini": NAME=VALUE, as written.
struct TListEntry {
  std::string Name;
  std::string Value;
  int Line = 0;  // in "Setup.ini", for messages
};
using TSettingList = std::vector<TListEntry>;

// The optional wizard pages ([Pages]).
namespace setup_page {
inline constexpr unsigned kVstPluginFolder = 1;
inline constexpr unsigned kDigiPluginFolder = 2;
inline constexpr unsigned kPhotoshopPluginFolder = 4;
inline constexpr unsigned kPersonalization = 8;
}  // namespace setup_page

// The shortcut choices ([Shortcuts] keys and the user's selection).
namespace setup_shortcut {
inline constexpr unsigned kStartMenu = 1;
inline constexpr unsigned kDesktop = 2;
}  // namespace setup_shortcut

struct TSetupSettings {
  // -- [Setup] --------------------------------------------------------------
  std::string ProductName;
  std::string ProductSuffix;
  std::string RegistryRoot;  // always beginning with "\"
  std::string InstallDescription;
  bool IgnoreMinorVersion = true;
  std::string DefaultFolder;
  std::string PersonalizeOwner;
  std::string PersonalizeInfo;
  std::string BundleSelectHeading;
  std::string BundleSelectDescription;
  std::string BundleRegistryRoot;  // beginning with "\" when IsBundle
  std::string BundleItemName;
  std::string Publisher;  // shown in Windows' list of programs; "" for none
  bool IsBundle = false;

  unsigned Pages = 0;               // setup_page bits
  unsigned AvailableShortcuts = 0;  // setup_shortcut bits: the [Shortcuts] locations given

  // -- [Complete] -----------------------------------------------------------
  std::string CompleteMessage;
  std::string CompleteReadme;
  std::string CompleteProduct;

  // -- the list sections ------------------------------------------------------
  TSettingList InstalledFiles, Folders, FoldersRegistry, Components, ComponentsOptions, CallLibraries,
      RegistrySettings, GlobalRegistrySettings, Shortcuts;
};

class TIniFile;

// Every key of the description read, with its default where absent; the
// registry roots rooted, the shortcut locations collected. Raises "Invalid
// configuration in Setup.ini" for a missing RegistryRoot or DefaultFolder (or
// BundleRegistryRoot of a bundle) and the folder template's error for a
// DefaultFolder the setup cannot format.
TSetupSettings ReadSetupSettings(const TIniFile& ini);
TSetupSettings ReadSetupSettings(const std::vector<std::string>& setupIniLines);
