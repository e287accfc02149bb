#include "setup_check/setup_section_check.h"

#include "common/text.h"
#include "packing/ansi_names.h"
#include "setuplogic/folder_template.h"
#include "setuplogic/setup_ini_schema.h"

using namespace setup_ini;

namespace {

const char* const kRefusal = "the setup stops with \"Invalid configuration in Setup.ini\"";

// The line to report a missing key at: the [Setup] header, or the file.
int SectionLine(const TIniFile& ini) {
  const TIniSection* section = ini.FindSection(kSetup);
  return section != nullptr ? section->Line : 0;
}

// A required key: reported when it is missing or empty; answers its entry
// when it has a value.
const TIniEntry* RequireKey(const std::string& file, const TIniFile& ini, const char* key, const std::string& example,
                            const std::string& why, TFindingList& findings) {
  const TIniEntry* entry = ini.FindKey(kSetup, key);
  if (entry == nullptr) {
    findings.Error(file, SectionLine(ini),
                   SectionReference(kSetup) + " has no " + key + why + ": " + kRefusal + "; add " + key + "=" + example);
    return nullptr;
  }
  if (entry->Value.empty()) {
    findings.Error(file, entry->Line, KeyReference(kSetup, key) + " is empty" + why + ": " + kRefusal);
    return nullptr;
  }
  return entry;
}

void CheckRegistryRoot(const std::string& file, const TIniEntry& entry, TFindingList& findings) {
  const std::string& value = entry.Value;
  const std::string upper = UpperCaseAscii(value);
  for (const char* root : {"HKEY_", "HKLM", "HKCU", "HKCR", "\\HKEY_"}) {
    if (StartsWith(upper, root)) {
      findings.Warning(file, entry.Line,
                       std::string(kRegistryRoot) + " " + Quoted(value) +
                           " names a registry root, but it is a key path that the setup uses below both "
                           "HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER; write it without the root, such as "
                           "Software\\Maker\\Product");
      return;
    }
  }
}

void CheckDefaultFolder(const std::string& file, const TIniEntry& entry, TFindingList& findings) {
  const std::string& value = entry.Value;
  if (!IsValidFolderTemplate(value)) {
    const std::string directive = ForeignFolderDirective(value);
    findings.Error(file, entry.Line,
                   std::string(kDefaultFolder) + " " + Quoted(value) + " uses " + Quoted(directive) +
                       ", but only %d (the major version) and %% (a percent sign) may follow a \"%\": " +
                       kRefusal);
  }
  if (StartsWith(value, "\\") || (value.size() >= 2 && value[1] == ':'))
    findings.Warning(file, entry.Line,
                     std::string(kDefaultFolder) + " " + Quoted(value) +
                         " is a folder below Program Files and is joined to it; it must not start with a drive or "
                         "\"\\\"");
}

// A key present with an empty value gives the empty text, not its default.
void CheckEmptyText(const std::string& file, const TIniFile& ini, const char* section, const char* key,
                    const char* shownDefault, TFindingList& findings) {
  const TIniEntry* entry = ini.FindKey(section, key);
  if (entry != nullptr && entry->Value.empty())
    findings.Warning(file, entry->Line,
                     KeyReference(section, key) + " is empty, which replaces its default (" + shownDefault +
                         ") with nothing; leave the key out to keep the default");
}

}  // namespace

std::string ForeignFolderDirective(const std::string& folderTemplate) {
  for (size_t i = 0; i < folderTemplate.size(); ++i) {
    if (folderTemplate[i] != '%') continue;
    if (i + 1 >= folderTemplate.size()) return "%";
    const char directive = folderTemplate[i + 1];
    if (directive != 'd' && directive != '%') return folderTemplate.substr(i, 2);
    ++i;
  }
  return "";
}

void CheckSetupSection(const std::string& file, const TIniFile& ini, TFindingList& findings) {
  if (const TIniEntry* root = RequireKey(file, ini, kRegistryRoot, "Software\\Maker\\Product", "", findings))
    CheckRegistryRoot(file, *root, findings);
  if (const TIniEntry* folder = RequireKey(file, ini, kDefaultFolder, "Maker\\Product %d", "", findings))
    CheckDefaultFolder(file, *folder, findings);
  if (ReadSettingFlag(ini, kSetup, kIsBundle))
    RequireKey(file, ini, kBundleRegistryRoot, "Software\\Maker", ", which a bundle setup needs", findings);
  CheckEmptyText(file, ini, kSetup, kInstallDescription, KeySchema(kSetup, kInstallDescription).DefaultText, findings);
  CheckEmptyText(file, ini, kComplete, kMessage, "the text that the product has been installed", findings);
}
