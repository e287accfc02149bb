#include "setup_check/setup_ini_schema.h"

#include "common/text.h"

const std::vector<TSectionSchema>& SetupIniSections() {
  static const std::vector<TSectionSchema> sections = {
      {"Setup",
       false,
       {
           {"IsBundle", TKeyKind::Boolean, false},
           {"ProductName", TKeyKind::Text, false},
           {"ProductSuffix", TKeyKind::Text, false},
           {"ProductVersion", TKeyKind::Text, false},  // read by setuppack only
           {"RegistryRoot", TKeyKind::Text, false},
           {"InstallDescription", TKeyKind::Text, false},
           {"IgnoreMinorVersion", TKeyKind::Boolean, true},
           {"DefaultFolder", TKeyKind::Text, false},
           {"PersonalizeOwner", TKeyKind::Text, false},
           {"PersonalizeInfo", TKeyKind::Text, false},
           {"BundleSelectHeading", TKeyKind::Text, false},
           {"BundleSelectDescription", TKeyKind::Text, false},
           {"BundleRegistryRoot", TKeyKind::Text, false},
           {"BundleItemName", TKeyKind::Text, false},
       }},
      {"Pages",
       false,
       {
           {"VstPluginFolder", TKeyKind::Boolean, false},
           {"DigiPluginFolder", TKeyKind::Boolean, false},
           {"PhotoshopPluginFolder", TKeyKind::Boolean, false},
           {"Personalization", TKeyKind::Boolean, false},
       }},
      {"InstalledFiles", true, {}},
      {"Folders", true, {}},
      {"FoldersRegistry", true, {}},
      {"Components", true, {}},
      {"ComponentsOptions", true, {}},
      {"CallLibraries", true, {}},
      {"RegistrySettings", true, {}},
      {"GlobalRegistrySettings", true, {}},
      {"Shortcuts", true, {}},
      {"Complete",
       false,
       {
           {"Message", TKeyKind::Text, false},
           {"Readme", TKeyKind::Text, false},
           {"Product", TKeyKind::Text, false},
       }},
  };
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
