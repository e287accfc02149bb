// What the setup program reads of "Setup.ini": its sections and their keys.
// setuppack reads one key more, [Setup] ProductVersion, which the setup
// program ignores.
#pragma once

#include <string>
#include <vector>

enum class TKeyKind {
  Text,     // taken as written
  Boolean,  // read as an integer; non-zero is on
};

struct TKeySchema {
  const char* Name;
  TKeyKind Kind;
  bool Default;  // of a boolean
};

struct TSectionSchema {
  const char* Name;
  bool IsList;                  // every line is an entry NAME=VALUE, with any name
  std::vector<TKeySchema> Keys;  // the keys of a section that is no list
};

// Every section the setup reads, in the order of the vendor's reference.
const std::vector<TSectionSchema>& SetupIniSections();

// The section of that name (letter case ignored), or nullptr.
const TSectionSchema* FindSectionSchema(const std::string& name);
// The key of that name in the section (letter case ignored), or nullptr.
const TKeySchema* FindKeySchema(const TSectionSchema& section, const std::string& name);

// The names of all sections, or of a section's keys, for spelling suggestions.
std::vector<std::string> SectionNames();
std::vector<std::string> KeyNames(const TSectionSchema& section);
