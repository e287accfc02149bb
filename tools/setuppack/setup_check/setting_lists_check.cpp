#include "setup_check/setting_lists_check.h"

#include "common/integer_text.h"
#include "common/text.h"
#include "packing/ansi_names.h"
#include "setuplogic/setup_ini_schema.h"

using namespace setup_ini;

namespace {

std::vector<TIniEntry> KeyedEntries(const TIniFile& ini, const char* section) {
  std::vector<TIniEntry> entries;
  for (TIniEntry& entry : ini.ReadList(section))
    if (entry.HasKey) entries.push_back(std::move(entry));
  return entries;
}

void CheckShortcutLocation(const std::string& file, const TIniEntry& entry, TFindingList& findings) {
  if (entry.Key == kStartMenuLocation || entry.Key == kDesktopLocation) return;
  for (const char* location : {kStartMenuLocation, kDesktopLocation}) {
    if (SameText(entry.Key, location)) {
      findings.Warning(file, entry.Line,
                       Quoted(entry.Key) + " differs from " + location +
                           " only in letter case: the wizard offers the shortcut, but the setup creates it only for "
                           "the exact " + location);
      return;
    }
  }
  findings.Warning(file, entry.Line,
                   "the shortcut location " + Quoted(entry.Key) +
                       " is neither " + kStartMenuLocation + " nor " + kDesktopLocation + ", so the setup ignores the entry");
}

void CheckShortcuts(const std::string& file, const TIniFile& ini, TFindingList& findings) {
  for (const TIniEntry& entry : KeyedEntries(ini, kShortcuts)) {
    CheckShortcutLocation(file, entry, findings);
    const size_t comma = entry.Value.find(',');
    const std::string target = Trim(entry.Value.substr(0, comma));
    if (target.empty())
      findings.Warning(file, entry.Line, "the shortcut has no target, so the setup creates none");
    if (comma == std::string::npos) continue;
    const std::string title = Trim(entry.Value.substr(comma + 1));
    if (title.empty() || EndsWith(title, "\\")) {
      findings.Warning(file, entry.Line,
                       "the shortcut title after \",\" is empty or ends with \"\\\", so the link would be named "
                       "\".lnk\"; leave out the \",\" to name it after its target");
    } else if (title.find_first_of("/:*?\"<>|") != std::string::npos) {
      findings.Warning(file, entry.Line,
                       "the shortcut title " + Quoted(title) +
                           " holds a character that Windows forbids in file names (/ : * ? \" < > |), so the "
                           "link cannot be made");
    }
  }
}

// "#" followed by an integer asks for a number; anything else is a string.
void CheckRegistrySettings(const std::string& file, const TIniFile& ini, const char* section,
                           TFindingList& findings) {
  for (const TIniEntry& entry : KeyedEntries(ini, section)) {
    int32_t value;
    if (entry.Value.empty() || entry.Value[0] != '#') continue;
    if (entry.Value.size() > 1 && TryParseInteger(entry.Value.substr(1), value, HexPrefixes::DollarOnly)) continue;
    findings.Warning(file, entry.Line,
                     Quoted(entry.Value) +
                         " is written as a string, not a number: after \"#\" the setup takes a decimal integer "
                         "(#16) or \"$\" and hexadecimal digits (#$10), fitting 32 bits");
  }
}

void CheckCallLibraries(const std::string& file, const TIniFile& ini, TFindingList& findings) {
  for (const TIniEntry& entry : KeyedEntries(ini, kCallLibraries)) {
    if (entry.Key.empty())
      findings.Warning(file, entry.Line, "the entry names no function before \"=\", so the setup calls nothing");
    if (entry.Value.empty())
      findings.Warning(file, entry.Line,
                       "the function " + Quoted(entry.Key) + " has no library after \"=\", so the setup calls nothing");
  }
}

// The major version is compared as text with the installed one's decimal text.
void CheckInstalledFiles(const std::string& file, const TIniFile& ini, TFindingList& findings) {
  for (const TIniEntry& entry : KeyedEntries(ini, kInstalledFiles)) {
    const std::string& major = entry.Key;
    const bool decimal = !major.empty() && major.find_first_not_of("0123456789") == std::string::npos &&
                         (major.size() == 1 || major[0] != '0');
    if (!decimal)
      findings.Warning(file, entry.Line,
                       Quoted(major) +
                           " is no major version as the setup writes it (such as 2): it is compared as text with the "
                           "installed major version, so this entry never applies");
  }
}

void CheckFolders(const std::string& file, const TIniFile& ini, TFindingList& findings) {
  const std::vector<TIniEntry> folders = KeyedEntries(ini, kFolders);
  for (const TIniEntry& entry : folders)
    if (entry.Key.empty()) findings.Warning(file, entry.Line, "the custom folder has no name before \"=\"");
  for (const TIniEntry& entry : KeyedEntries(ini, kFoldersRegistry)) {
    bool named = false;
    for (const TIniEntry& folder : folders) named = named || SameText(folder.Key, entry.Key);
    if (!named)
      findings.Warning(file, entry.Line,
                       "no " + SectionReference(kFolders) + " entry is named " + Quoted(entry.Key) + ", so the setup never uses this record");
  }
}

}  // namespace

void CheckSettingLists(const std::string& file, const TIniFile& ini, TFindingList& findings) {
  CheckInstalledFiles(file, ini, findings);
  CheckFolders(file, ini, findings);
  CheckCallLibraries(file, ini, findings);
  CheckRegistrySettings(file, ini, kRegistrySettings, findings);
  CheckRegistrySettings(file, ini, kGlobalRegistrySettings, findings);
  CheckShortcuts(file, ini, findings);
}
