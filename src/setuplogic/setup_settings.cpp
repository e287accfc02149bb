// Reading "Setup.ini" through its description.
#include "setuplogic/setup_settings.h"

#include "common/errors.h"
#include "common/text.h"
#include "setuplogic/folder_template.h"
#include "setuplogic/ini_file.h"
#include "setuplogic/setup_ini_schema.h"

namespace {

constexpr const char* kInvalidConfiguration = "Invalid configuration in Setup.ini";

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

void ReadKey(const TIniFile& ini, const TSectionSchema& section, const TKeySchema& key, TSetupSettings& settings) {
  switch (key.Kind) {
    case TKeyKind::Text:
      if (key.Text != nullptr) settings.*key.Text = ini.ReadString(section.Name, key.Name, key.DefaultText);
      return;
    case TKeyKind::Boolean:
      settings.*key.Flag = ini.ReadBool(section.Name, key.Name, key.DefaultOn);
      return;
    case TKeyKind::PageBit:
      if (ini.ReadBool(section.Name, key.Name, key.DefaultOn)) settings.Pages |= key.PageBit;
      return;
  }
}

}  // namespace

TSetupSettings ReadSetupSettings(const TIniFile& ini) {
  TSetupSettings settings;
  for (const TSectionSchema& section : SetupIniSections()) {
    if (section.IsList) settings.*section.List = ReadSettingList(ini, section.Name);
    for (const TKeySchema& key : section.Keys) ReadKey(ini, section, key, settings);
  }

  if (settings.RegistryRoot.empty() || settings.DefaultFolder.empty() ||
      (settings.IsBundle && settings.BundleRegistryRoot.empty()))
    throw Exception(kInvalidConfiguration);
  // Found now rather than when the folder is first formatted, so that the
  // message names the setting before anything else has been looked at.
  FormatFolderTemplate(settings.DefaultFolder, 0);

  settings.RegistryRoot = RootedKeyPath(settings.RegistryRoot);
  if (settings.IsBundle) settings.BundleRegistryRoot = RootedKeyPath(settings.BundleRegistryRoot);

  if (HasKey(settings.Shortcuts, setup_ini::kStartMenuLocation)) settings.AvailableShortcuts |= setup_shortcut::kStartMenu;
  if (HasKey(settings.Shortcuts, setup_ini::kDesktopLocation)) settings.AvailableShortcuts |= setup_shortcut::kDesktop;
  return settings;
}

TSetupSettings ReadSetupSettings(const std::vector<std::string>& setupIniLines) {
  return ReadSetupSettings(TIniFile(setupIniLines));
}
