#include "setuplogic/ini_file.h"

#include "common/integer_text.h"
#include "common/text.h"

TIniFile::TIniFile(const std::vector<std::string>& lines) {
  int number = 0;
  for (const std::string& raw : lines) {
    ++number;
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      sections_.push_back(TIniSection{Trim(line.substr(1, line.size() - 2)), number, {}});
      continue;
    }
    if (sections_.empty()) continue;
    TIniEntry entry;
    entry.Line = number;
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
      entry.Value = line;
    } else {
      entry.HasKey = true;
      entry.Key = Trim(line.substr(0, equals));
      entry.Value = Trim(line.substr(equals + 1));
    }
    sections_.back().Entries.push_back(std::move(entry));
  }
}

const TIniSection* TIniFile::FindSection(const std::string& name) const {
  for (auto it = sections_.rbegin(); it != sections_.rend(); ++it)
    if (SameText(it->Name, name)) return &*it;
  return nullptr;
}

const TIniEntry* TIniFile::FindKey(const std::string& section, const std::string& key) const {
  const TIniSection* found = FindSection(section);
  if (found == nullptr) return nullptr;
  for (auto it = found->Entries.rbegin(); it != found->Entries.rend(); ++it)
    if (it->HasKey && SameText(it->Key, key)) return &*it;
  return nullptr;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& fallback) const {
  const TIniEntry* entry = FindKey(section, key);
  return entry != nullptr ? entry->Value : fallback;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool fallback) const {
  const TIniEntry* entry = FindKey(section, key);
  int32_t value;
  if (entry == nullptr || !TryParseInteger(entry->Value, value, HexPrefixes::DollarAndZeroX)) return fallback;
  return value != 0;
}

std::vector<TIniEntry> TIniFile::ReadList(const std::string& section) const {
  const TIniSection* found = FindSection(section);
  return found != nullptr ? found->Entries : std::vector<TIniEntry>{};
}
