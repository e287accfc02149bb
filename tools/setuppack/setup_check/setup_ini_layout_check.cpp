#include "setup_check/setup_ini_layout_check.h"

#include "common/integer_text.h"
#include "common/text.h"
#include "packing/ansi_names.h"
#include "setup_check/nearest_name.h"
#include "setuplogic/setup_ini_schema.h"

namespace {

const std::string kUtf8Mark = "\xEF\xBB\xBF";

bool HasHighBytes(const std::string& text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  return false;
}

std::string DidYouMean(const std::string& suggestion, const std::string& before = "", const std::string& after = "") {
  return suggestion.empty() ? "" : "; did you mean " + before + suggestion + after + "?";
}

// The byte-order marks of UTF-16, and text that is valid UTF-8 with letters
// beyond ASCII: the setup reads every byte as a Windows-1252 character.
void CheckEncoding(const std::string& file, const std::vector<std::string>& lines, TFindingList& findings) {
  if (lines.empty()) return;
  const std::string& first = lines[0];
  if (StartsWith(first, kUtf8Mark)) {
    const std::string rest = Trim(first.substr(kUtf8Mark.size()));
    std::string message = "the file starts with a UTF-8 byte-order mark, which the setup reads as three characters";
    if (StartsWith(rest, "[")) message += " of the first line, so it does not see the section " + Quoted(rest) + " and ignores its keys";
    findings.Warning(file, 1, message + "; save Setup.ini as Windows-1252 (ANSI) without a byte-order mark");
    return;
  }
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string ansi;
    if (!HasHighBytes(lines[i]) || !Utf8ToAnsi(lines[i], ansi)) continue;
    findings.Warning(file, static_cast<int>(i + 1),
                     "the file is saved as UTF-8, but the setup reads Windows-1252 (ANSI): " + Quoted(ansi) +
                         " would show as " + Quoted(lines[i]) + "; save Setup.ini as Windows-1252");
    return;
  }
}

bool IsUtf16(const std::vector<std::string>& lines) {
  return !lines.empty() && (StartsWith(lines[0], "\xFF\xFE") || StartsWith(lines[0], "\xFE\xFF"));
}

// Lines outside the sections, and section headers the setup does not take as such.
void CheckLines(const std::string& file, const std::vector<std::string>& lines, TFindingList& findings) {
  bool inSection = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const int number = static_cast<int>(i + 1);
    const std::string line = Trim(lines[i]);
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      inSection = true;
      continue;
    }
    if (number == 1 && StartsWith(line, kUtf8Mark)) continue;  // reported with the encoding
    if (line.front() == '[') {
      findings.Warning(file, number,
                       Quoted(line) + " is no section header: a header ends with \"]\", and nothing may follow it; " +
                           (inSection ? "the setup reads the line as an entry of the section before"
                                      : "the setup ignores the line"));
    } else if (!inSection) {
      findings.Warning(file, number, Quoted(line) + " stands before the first section; the setup ignores it");
    }
  }
}

// The last section of a name is the one the setup reads.
bool IsLastOfItsName(const TIniFile& ini, const TIniSection& section) { return ini.FindSection(section.Name) == &section; }

void CheckSectionNames(const std::string& file, const TIniFile& ini, TFindingList& findings) {
  for (const TIniSection& section : ini.Sections()) {
    if (!IsLastOfItsName(ini, section)) {
      findings.Warning(file, section.Line,
                       "the section [" + AnsiToUtf8(section.Name) + "] comes again at line " +
                           std::to_string(ini.FindSection(section.Name)->Line) +
                           "; the setup reads only the last section of a name and ignores this one");
    } else if (FindSectionSchema(section.Name) == nullptr) {
      findings.Warning(file, section.Line,
                       "the setup does not read a section [" + AnsiToUtf8(section.Name) + "]" +
                           DidYouMean(NearestName(section.Name, SectionNames()), "[", "]"));
    }
  }
}

std::string DefaultText(const TKeySchema& key) { return key.DefaultOn ? "1 (on)" : "0 (off)"; }

void CheckKeyedEntry(const std::string& file, const TIniFile& ini, const TIniSection& section,
                     const TSectionSchema& schema, const TIniEntry& entry, TFindingList& findings) {
  const std::string where = "[" + AnsiToUtf8(schema.Name) + "] ";
  const TKeySchema* key = FindKeySchema(schema, entry.Key);
  if (key == nullptr) {
    findings.Warning(file, entry.Line,
                     "the setup does not read " + where + AnsiToUtf8(entry.Key) +
                         DidYouMean(NearestName(entry.Key, KeyNames(schema))));
    return;
  }
  const TIniEntry* counted = ini.FindKey(section.Name, entry.Key);
  if (counted != &entry) {
    findings.Warning(file, entry.Line,
                     where + key->Name + " is given again at line " + std::to_string(counted->Line) +
                         ", and only the last one counts");
    return;
  }
  int32_t value;
  if (key->Kind != TKeyKind::Text && !TryParseInteger(entry.Value, value, HexPrefixes::DollarAndZeroX))
    findings.Warning(file, entry.Line,
                     where + key->Name + "=" + AnsiToUtf8(entry.Value) +
                         " is no integer, so the setup takes the default " + DefaultText(*key) +
                         "; write 1 for on or 0 for off");
}

void CheckEntries(const std::string& file, const TIniFile& ini, TFindingList& findings) {
  for (const TIniSection& section : ini.Sections()) {
    const TSectionSchema* schema = FindSectionSchema(section.Name);
    if (schema == nullptr || !IsLastOfItsName(ini, section)) continue;
    for (const TIniEntry& entry : section.Entries) {
      if (!entry.HasKey) {
        findings.Warning(file, entry.Line,
                         Quoted(entry.Value) + " has no \"=\"; " +
                             (schema->IsList ? "the entries of [" + std::string(schema->Name) + "] are NAME=VALUE, and "
                                             : std::string()) +
                             "the setup ignores the line");
      } else if (!schema->IsList) {
        CheckKeyedEntry(file, ini, section, *schema, entry, findings);
      }
    }
  }
}

}  // namespace

void CheckIniLayout(const std::string& file, const std::vector<std::string>& lines, const TIniFile& ini,
                    TFindingList& findings) {
  if (IsUtf16(lines)) {
    findings.Warning(file, 1,
                     "the file is saved as UTF-16 (\"Unicode\"), in which the setup finds no sections; save it as "
                     "Windows-1252 (ANSI)");
    return;
  }
  CheckEncoding(file, lines, findings);
  CheckLines(file, lines, findings);
  CheckSectionNames(file, ini, findings);
  CheckEntries(file, ini, findings);
}
