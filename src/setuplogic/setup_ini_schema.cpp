#include "setuplogic/setup_ini_schema.h"

#include <stdexcept>

#include "common/text.h"
#include "setuplogic/ini_file.h"
#include "setuplogic/setup_symbols.h"

namespace {

using namespace setup_ini;
using S = TSetupSettings;

constexpr char kDefaultCompleteMessage[] =
    "$ProductName has been installed successfully. You can start $ProductName from the Start menu or the "
    "desktop. Please read the Readme.txt file for additional information.";

TKeySchema TextKey(const char* name, std::string S::*text, const char* defaultText = "") {
  return TKeySchema{name, TKeyKind::Text, defaultText, false, text};
}

TKeySchema BooleanKey(const char* name, bool S::*flag, bool defaultOn) {
  TKeySchema key{name, TKeyKind::Boolean};
  key.DefaultOn = defaultOn, key.Flag = flag;
  return key;
}

TKeySchema PageKey(const char* name, unsigned bit) {
  TKeySchema key{name, TKeyKind::PageBit};
  key.PageBit = bit;
  return key;
}

TSectionSchema ListSection(const char* name, TSettingList S::*list) { return TSectionSchema{name, true, {}, list}; }

}  // namespace

const std::vector<TSectionSchema>& SetupIniSections() {
  static const std::vector<TSectionSchema> sections = [] {
    TKeySchema productVersion = TextKey(kProductVersion, nullptr);
    productVersion.SetuppackOnly = true;
    return std::vector<TSectionSchema>{
        {kSetup,
         false,
         {
             BooleanKey(kIsBundle, &S::IsBundle, false),
             TextKey(kProductName, &S::ProductName),
             TextKey(kProductSuffix, &S::ProductSuffix),
             productVersion,
             TextKey(kRegistryRoot, &S::RegistryRoot),
             TextKey(kInstallDescription, &S::InstallDescription, setup_symbol::kProductName),
             BooleanKey(kIgnoreMinorVersion, &S::IgnoreMinorVersion, true),
             TextKey(kDefaultFolder, &S::DefaultFolder),
             TextKey(kPersonalizeOwner, &S::PersonalizeOwner),
             TextKey(kPersonalizeInfo, &S::PersonalizeInfo),
             TextKey(kBundleSelectHeading, &S::BundleSelectHeading),
             TextKey(kBundleSelectDescription, &S::BundleSelectDescription),
             TextKey(kBundleRegistryRoot, &S::BundleRegistryRoot),
             TextKey(kBundleItemName, &S::BundleItemName),
             TextKey(kPublisher, &S::Publisher),
         }},
        {kPages,
         false,
         {
             PageKey(kVstPluginFolderPage, setup_page::kVstPluginFolder),
             PageKey(kDigiPluginFolderPage, setup_page::kDigiPluginFolder),
             PageKey(kPhotoshopPluginFolderPage, setup_page::kPhotoshopPluginFolder),
             PageKey(kPersonalizationPage, setup_page::kPersonalization),
         }},
        ListSection(kInstalledFiles, &S::InstalledFiles),
        ListSection(kFolders, &S::Folders),
        ListSection(kFoldersRegistry, &S::FoldersRegistry),
        ListSection(kComponents, &S::Components),
        ListSection(kComponentsOptions, &S::ComponentsOptions),
        ListSection(kCallLibraries, &S::CallLibraries),
        ListSection(kRegistrySettings, &S::RegistrySettings),
        ListSection(kGlobalRegistrySettings, &S::GlobalRegistrySettings),
        ListSection(kShortcuts, &S::Shortcuts),
        {kComplete,
         false,
         {
             TextKey(kMessage, &S::CompleteMessage, kDefaultCompleteMessage),
             TextKey(kReadme, &S::CompleteReadme),
             TextKey(kProduct, &S::CompleteProduct),
         }},
    };
  }();
  return sections;
}

const TSectionSchema* FindSectionSchema(const std::string& name) {
  for (const TSectionSchema& section : SetupIniSections())
    if (SameText(section.Name, name)) return &section;
  return nullptr;
}

const TKeySchema* FindKeySchema(const TSectionSchema& section, const std::string& name) {
  for (const TKeySchema& key : section.Keys)
    if (SameText(key.Name, name)) return &key;
  return nullptr;
}

const TKeySchema& KeySchema(const char* section, const char* key) {
  const TSectionSchema* found = FindSectionSchema(section);
  const TKeySchema* schema = found != nullptr ? FindKeySchema(*found, key) : nullptr;
  if (schema == nullptr) throw std::logic_error(std::string("no key ") + key + " in the description");
  return *schema;
}

std::vector<std::string> SectionNames() {
  std::vector<std::string> names;
  for (const TSectionSchema& section : SetupIniSections()) names.push_back(section.Name);
  return names;
}

std::vector<std::string> KeyNames(const TSectionSchema& section) {
  std::vector<std::string> names;
  for (const TKeySchema& key : section.Keys) names.push_back(key.Name);
  return names;
}

std::string ReadSettingText(const TIniFile& ini, const char* section, const char* key) {
  return ini.ReadString(section, key, KeySchema(section, key).DefaultText);
}

bool ReadSettingFlag(const TIniFile& ini, const char* section, const char* key) {
  return ini.ReadBool(section, key, KeySchema(section, key).DefaultOn);
}

std::string KeyReference(const char* section, const char* key) { return SectionReference(section) + " " + key; }

std::string SectionReference(const char* section) { return std::string("[") + section + "]"; }
