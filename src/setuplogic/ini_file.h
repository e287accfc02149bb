// Reading "Setup.ini".
//
// Lines are trimmed of blanks and control characters; empty lines and lines
// starting with ";" are ignored, as are lines before the first section. A line
// "[name]" starts a section; any other line is an entry, "key=value" split at
// the first "=" with both parts trimmed, or a bare text without a key.
// Section names and keys match without regard to the case of A-Z. When a
// section name occurs more than once, only its last section counts; within a
// section the last occurrence of a key counts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TIniEntry {
  std::string Key;
  std::string Value;
  bool HasKey = false;  // false for a line without "="; Value is then the line
  int Line = 0;         // 1-based line number in the file
};

struct TIniSection {
  std::string Name;
  int Line = 0;
  std::vector<TIniEntry> Entries;
};

class TIniFile {
 public:
  explicit TIniFile(const std::vector<std::string>& lines);

  // The last section of that name, or nullptr.
  const TIniSection* FindSection(const std::string& name) const;
  // The last entry of the key in the section, or nullptr.
  const TIniEntry* FindKey(const std::string& section, const std::string& key) const;

  // The value of the last occurrence of key; fallback when the key is absent.
  // A key with an empty value gives the empty text.
  std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback) const;
  // The value read as an integer (decimal, "$" hex, or "0x" hex when longer
  // than two characters); non-zero is true; fallback when the key is absent
  // or its value is no integer.
  bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;
  // Every entry of the section in file order, repeated keys included.
  std::vector<TIniEntry> ReadList(const std::string& section) const;

  // All sections in file order, superseded ones included.
  const std::vector<TIniSection>& Sections() const { return sections_; }

 private:
  std::vector<TIniSection> sections_;
};
