// Reading the settings of "Setup.ini" as a function of its text: every key of
// the description reaches a setting of its own, and the rules of the reader
// that vendors meet when they write the file by hand.
#include <gtest/gtest.h>

#include <map>

#include "common/errors.h"
#include "common/text.h"
#include "setuplogic/ini_file.h"
#include "setuplogic/setup_ini_schema.h"
#include "setuplogic/setup_settings.h"

namespace {

std::string Printed(const TSettingList& list) {
  std::string text;
  for (const TListEntry& entry : list) text += entry.Name + "=" + entry.Value + ";";
  return text;
}

// Every setting as text, by the setting's name: written out here rather
// than taken from the description, so that a row pointing at the wrong
// setting, or at none, shows.
std::map<std::string, std::string> Observed(const TSetupSettings& s) {
  const auto flag = [](bool on) { return std::string(on ? "on" : "off"); };
  return {
      {"ProductName", s.ProductName},
      {"ProductSuffix", s.ProductSuffix},
      {"RegistryRoot", s.RegistryRoot},
      {"InstallDescription", s.InstallDescription},
      {"IgnoreMinorVersion", flag(s.IgnoreMinorVersion)},
      {"DefaultFolder", s.DefaultFolder},
      {"PersonalizeOwner", s.PersonalizeOwner},
      {"PersonalizeInfo", s.PersonalizeInfo},
      {"BundleSelectHeading", s.BundleSelectHeading},
      {"BundleSelectDescription", s.BundleSelectDescription},
      // Rooted for a bundle only: that is IsBundle's doing, not a second
      // destination of the key.
      {"BundleRegistryRoot", StartsWith(s.BundleRegistryRoot, "\\") ? s.BundleRegistryRoot.substr(1) : s.BundleRegistryRoot},
      {"BundleItemName", s.BundleItemName},
      {"Publisher", s.Publisher},
      {"IsBundle", flag(s.IsBundle)},
      {"Pages & VstPluginFolder", flag(s.Pages & setup_page::kVstPluginFolder)},
      {"Pages & DigiPluginFolder", flag(s.Pages & setup_page::kDigiPluginFolder)},
      {"Pages & PhotoshopPluginFolder", flag(s.Pages & setup_page::kPhotoshopPluginFolder)},
      {"Pages & Personalization", flag(s.Pages & setup_page::kPersonalization)},
      {"CompleteMessage", s.CompleteMessage},
      {"CompleteReadme", s.CompleteReadme},
      {"CompleteProduct", s.CompleteProduct},
      {"InstalledFiles", Printed(s.InstalledFiles)},
      {"Folders", Printed(s.Folders)},
      {"FoldersRegistry", Printed(s.FoldersRegistry)},
      {"Components", Printed(s.Components)},
      {"ComponentsOptions", Printed(s.ComponentsOptions)},
      {"CallLibraries", Printed(s.CallLibraries)},
      {"RegistrySettings", Printed(s.RegistrySettings)},
      {"GlobalRegistrySettings", Printed(s.GlobalRegistrySettings)},
      {"Shortcuts", Printed(s.Shortcuts)},
  };
}

// What every file needs, a bundle's root included, so that IsBundle can be
// turned on alone.
const std::string kRequired =
    "[Setup]\r\nRegistryRoot=<RegistryRoot>\r\nDefaultFolder=<DefaultFolder>\r\nBundleRegistryRoot=<BundleRegistryRoot>\r\n";

std::vector<std::string> Changed(const std::map<std::string, std::string>& read,
                                 const std::map<std::string, std::string>& defaults) {
  std::vector<std::string> names;
  for (const auto& [name, text] : read)
    if (text != defaults.at(name)) names.push_back(name);
  return names;
}

// Texts and list entries get a value of their own, the key's or the
// section's name in angle brackets, all in one file: each shows in exactly
// one setting. A boolean has no such value: each is set against its default
// alone, and exactly one setting changes. No two keys reach the same setting,
// and no setting changes without a key behind it.
TEST(SetupSettingsTest, EveryDescribedKeyReachesASettingOfItsOwn) {
  const std::map<std::string, std::string> defaults = Observed(ReadSetupSettings(SplitLines(kRequired)));
  std::string ini;
  std::vector<std::pair<std::string, std::string>> distinctive;  // value, where it is written
  std::vector<std::pair<std::string, std::string>> booleans;     // the line, where it is written
  for (const TSectionSchema& section : SetupIniSections()) {
    const std::string header = SectionReference(section.Name) + "\r\n";
    ini += header;
    if (section.IsList) {
      const std::string value = std::string("<") + section.Name + ">";
      ini += value + "=" + value + "\r\n";
      distinctive.emplace_back(value, section.Name);
    }
    for (const TKeySchema& key : section.Keys) {
      const std::string where = KeyReference(section.Name, key.Name);
      if (key.Kind == TKeyKind::Text) {
        const std::string value = std::string("<") + key.Name + ">";
        ini += std::string(key.Name) + "=" + value + "\r\n";
        if (!key.SetuppackOnly) distinctive.emplace_back(value, where);
      } else {
        // Within the one [Setup] of the required keys, or in a section of its own.
        booleans.emplace_back((SameText(section.Name, setup_ini::kSetup) ? "" : header) + key.Name + "=" +
                                  (key.DefaultOn ? "0" : "1") + "\r\n",
                              where);
      }
    }
  }

  std::map<std::string, std::string> claimedBy;
  const auto claim = [&](const std::vector<std::string>& holders, const std::string& where) {
    ASSERT_EQ(holders.size(), 1u) << where << " reaches " << holders.size() << " settings";
    const auto [it, fresh] = claimedBy.emplace(holders[0], where);
    EXPECT_TRUE(fresh) << where << " and " << it->second << " both reach " << holders[0];
  };

  const std::map<std::string, std::string> read = Observed(ReadSetupSettings(SplitLines(ini)));
  for (const auto& [value, where] : distinctive) {
    std::vector<std::string> holders;
    for (const auto& [name, text] : read)
      if (text.find(value) != std::string::npos) holders.push_back(name);
    claim(holders, where);
  }
  for (const auto& [line, where] : booleans)
    claim(Changed(Observed(ReadSetupSettings(SplitLines(kRequired + line))), defaults), where);

  for (const std::string& name : Changed(read, defaults))
    EXPECT_TRUE(claimedBy.count(name)) << name << " changed, but no key of the description claims it";
}

TEST(SetupSettingsTest, TheSetuppackOnlyKeyChangesNothingTheSetupReads) {
  const std::string base = "[Setup]\r\nRegistryRoot=R\r\nDefaultFolder=F\r\n";
  EXPECT_EQ(Observed(ReadSetupSettings(SplitLines(base + "ProductVersion=9.99\r\n"))),
            Observed(ReadSetupSettings(SplitLines(base))));
}

// -- the reader's rules ----------------------------------------------------------

struct TReaderCase {
  const char* Rule;
  std::string Ini;
  const char* Section;
  const char* Key;
  const char* Expected;  // nullptr: the key is not found
};

std::ostream& operator<<(std::ostream& out, const TReaderCase& c) { return out << c.Rule; }

const TReaderCase kReaderCases[] = {
    {"a line starting with ';' is a comment", "[Setup]\r\n;Name=commented\r\n", "Setup", "Name", nullptr},
    {"also after leading blanks", "[Setup]\r\n \t; Name=commented\r\n", "Setup", "Name", nullptr},
    {"';' inside a value belongs to it", "[Setup]\r\nName=a ; b\r\n", "Setup", "Name", "a ; b"},
    {"blanks and tabs around names and values go", "[Setup]\r\n \tName \t= \t a b \t\r\n", "Setup", "Name", "a b"},
    {"and around the section name", "[ \tSetup\t ]\r\nName=x\r\n", "Setup", "Name", "x"},
    {"section names match without letter case", "[sETUP]\r\nName=x\r\n", "Setup", "Name", "x"},
    {"key names match without letter case", "[Setup]\r\nNAME=x\r\n", "Setup", "name", "x"},
    {"a value keeps its letter case and later '='", "[Setup]\r\nName=A=b\r\n", "Setup", "Name", "A=b"},
    {"lines before the first section belong to none", "Name=x\r\n[Setup]\r\n", "Setup", "Name", nullptr},
    {"the last occurrence of a key wins", "[Setup]\r\nName=1\r\nname=2\r\n", "Setup", "Name", "2"},
    {"only the last section of a name counts", "[Setup]\r\nName=1\r\n[Other]\r\n[setup]\r\nOther=2\r\n", "Setup",
     "Name", nullptr},
    {"a key present with no value is empty", "[Setup]\r\nName=\r\n", "Setup", "Name", ""},
    {"a header must end with ']'", "[Setup]\r\n[Other] x\r\nName=x\r\n", "Setup", "Name", "x"},
    // The reader takes no byte-order mark off: the first line is then no
    // header, and the keys before the next header belong to no section.
    {"a UTF-8 byte-order mark hides the first section", "\xEF\xBB\xBF[Setup]\r\nName=x\r\n", "Setup", "Name",
     nullptr},
};

class IniReaderTest : public testing::TestWithParam<TReaderCase> {};

TEST_P(IniReaderTest, Rule) {
  const TReaderCase& c = GetParam();
  const TIniFile ini(SplitLines(c.Ini));
  const TIniEntry* entry = ini.FindKey(c.Section, c.Key);
  if (c.Expected == nullptr) {
    EXPECT_EQ(entry, nullptr) << "found \"" << entry->Value << "\"";
  } else {
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->Value, c.Expected);
  }
}

INSTANTIATE_TEST_SUITE_P(Rules, IniReaderTest, testing::ValuesIn(kReaderCases));

TEST(SetupSettingsTest, ABoolIsAnIntegerAndAnythingElseTakesTheDefault) {
  const struct {
    const char* Value;
    bool IgnoreMinorVersion;  // default on
  } cases[] = {{"0", false}, {"1", true}, {"$0", false}, {"0x0", false}, {"no", true}, {"", true}, {"00", false}};
  for (const auto& c : cases) {
    const TSetupSettings s = ReadSetupSettings(
        SplitLines(std::string("[Setup]\r\nRegistryRoot=R\r\nDefaultFolder=F\r\nIgnoreMinorVersion=") + c.Value));
    EXPECT_EQ(s.IgnoreMinorVersion, c.IgnoreMinorVersion) << "\"" << c.Value << "\"";
  }
}

TEST(SetupSettingsTest, TheRequiredKeysAreCheckedWithoutAPackage) {
  const char* refused[] = {
      "[Setup]\r\nDefaultFolder=F\r\n",
      "[Setup]\r\nRegistryRoot=R\r\n",
      "[Setup]\r\nRegistryRoot=R\r\nDefaultFolder=F\r\nIsBundle=1\r\n",
      "[Setup]\r\nRegistryRoot=R\r\nDefaultFolder=F %x\r\n",
  };
  for (const char* ini : refused) EXPECT_THROW(ReadSetupSettings(SplitLines(ini)), Exception) << ini;
}

}  // namespace
