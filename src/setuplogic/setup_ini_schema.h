// What "Setup.ini" holds: its sections, their keys with kind and default, and
// the entries of a list that mean something to the setup. The names are
// written here and nowhere else: the setup reads its settings through this
// description, and setuppack's check of a staging folder is a view of it.
#pragma once

#include <string>
#include <vector>

#include "setuplogic/setup_settings.h"

namespace setup_ini {

// -- sections ---------------------------------------------------------------
inline constexpr char kSetup[] = "Setup";
inline constexpr char kPages[] = "Pages";
inline constexpr char kInstalledFiles[] = "InstalledFiles";
inline constexpr char kFolders[] = "Folders";
inline constexpr char kFoldersRegistry[] = "FoldersRegistry";
inline constexpr char kComponents[] = "Components";
inline constexpr char kComponentsOptions[] = "ComponentsOptions";
inline constexpr char kCallLibraries[] = "CallLibraries";
inline constexpr char kRegistrySettings[] = "RegistrySettings";
inline constexpr char kGlobalRegistrySettings[] = "GlobalRegistrySettings";
inline constexpr char kShortcuts[] = "Shortcuts";
inline constexpr char kComplete[] = "Complete";

// -- keys of [Setup] ----------------------------------------------------------
inline constexpr char kIsBundle[] = "IsBundle";
inline constexpr char kProductName[] = "ProductName";
inline constexpr char kProductSuffix[] = "ProductSuffix";
inline constexpr char kProductVersion[] = "ProductVersion";  // read by setuppack only
inline constexpr char kRegistryRoot[] = "RegistryRoot";
inline constexpr char kInstallDescription[] = "InstallDescription";
inline constexpr char kIgnoreMinorVersion[] = "IgnoreMinorVersion";
inline constexpr char kDefaultFolder[] = "DefaultFolder";
inline constexpr char kPersonalizeOwner[] = "PersonalizeOwner";
inline constexpr char kPersonalizeInfo[] = "PersonalizeInfo";
inline constexpr char kBundleSelectHeading[] = "BundleSelectHeading";
inline constexpr char kBundleSelectDescription[] = "BundleSelectDescription";
inline constexpr char kBundleRegistryRoot[] = "BundleRegistryRoot";
inline constexpr char kBundleItemName[] = "BundleItemName";
inline constexpr char kPublisher[] = "Publisher";

// -- keys of [Pages] ----------------------------------------------------------
inline constexpr char kVstPluginFolderPage[] = "VstPluginFolder";
inline constexpr char kDigiPluginFolderPage[] = "DigiPluginFolder";
inline constexpr char kPhotoshopPluginFolderPage[] = "PhotoshopPluginFolder";
inline constexpr char kPersonalizationPage[] = "Personalization";

// -- keys of [Complete] -------------------------------------------------------
inline constexpr char kMessage[] = "Message";
inline constexpr char kReadme[] = "Readme";
inline constexpr char kProduct[] = "Product";

// -- list entries with a meaning ------------------------------------------------
// The shortcut locations, the names of [Shortcuts] entries; matched exactly.
inline constexpr char kStartMenuLocation[] = "StartMenu";
inline constexpr char kDesktopLocation[] = "Desktop";
// The one option of [ComponentsOptions], its value; matched exactly.
inline constexpr char kNoOverwriteOption[] = "NoOverwrite";

}  // namespace setup_ini

enum class TKeyKind {
  Text,     // taken as written
  Boolean,  // read as an integer; non-zero is on
  PageBit,  // a boolean that sets one bit of Pages
};

struct TKeySchema {
  const char* Name;
  TKeyKind Kind;
  const char* DefaultText = "";               // of a text key
  bool DefaultOn = false;                     // of a boolean or page bit
  std::string TSetupSettings::*Text = nullptr;  // where a text goes
  bool TSetupSettings::*Flag = nullptr;         // where a boolean goes
  unsigned PageBit = 0;                       // the setup_page bit of a page key
  bool SetuppackOnly = false;                 // a key the setup program does not read
};

struct TSectionSchema {
  const char* Name;
  bool IsList;                              // every line is an entry NAME=VALUE, with any name
  std::vector<TKeySchema> Keys;             // the keys of a section that is no list
  TSettingList TSetupSettings::*List = nullptr;  // where a list's entries go
};

// Every section the setup reads, in the order of the vendor's reference.
const std::vector<TSectionSchema>& SetupIniSections();

// The section of that name (letter case ignored), or nullptr.
const TSectionSchema* FindSectionSchema(const std::string& name);
// The key of that name in the section (letter case ignored), or nullptr.
const TKeySchema* FindKeySchema(const TSectionSchema& section, const std::string& name);
// The key's schema; the key must be described.
const TKeySchema& KeySchema(const char* section, const char* key);

// The names of all sections, or of a section's keys, for spelling suggestions.
std::vector<std::string> SectionNames();
std::vector<std::string> KeyNames(const TSectionSchema& section);

class TIniFile;

// A described key's value as the setup reads it: its default when absent.
std::string ReadSettingText(const TIniFile& ini, const char* section, const char* key);
bool ReadSettingFlag(const TIniFile& ini, const char* section, const char* key);

// "[Setup] IsBundle", as messages name a key.
std::string KeyReference(const char* section, const char* key);
// "[Components]", as messages name a section.
std::string SectionReference(const char* section);
