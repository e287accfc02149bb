// The check of a staging folder's setup files. Each row is a staging folder's
// top level and every finding it must give, no more: the file and line, the
// severity and a part of the message.
#include "setup_check/setup_files_check.h"

#include <gtest/gtest.h>

#include <cctype>
#include <initializer_list>
#include <sstream>

#include "common/text.h"
#include "packing/staging_tree.h"
#include "setuplogic/ini_file.h"
#include "setuppack_test_support.h"

namespace {

constexpr TFindingSeverity kError = TFindingSeverity::Error;
constexpr TFindingSeverity kWarning = TFindingSeverity::Warning;

struct TExpected {
  std::string Where;  // "Setup.ini:7", or "Setup.lic" for the file as a whole
  TFindingSeverity Severity;
  std::string Fragment;
};

struct CheckCase {
  const char* what;
  TStagingFiles files;  // the top level: support files, and folders as "Name/"
  std::vector<TExpected> expected;
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.what; }

std::string Ini(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// Lines 1 to 7 of a sound Setup.ini that installs the folder Main; the
// lines given follow from line 8 on.
std::string Sound(std::initializer_list<std::string> more = {}) {
  std::string text = Ini({"[Setup]", "ProductName=Tool", "ProductVersion=1.00", "RegistryRoot=Software\\Maker\\Tool",
                          "DefaultFolder=Maker\\Tool %d", "[Components]", "Main=$ProgramFolder"});
  return text + Ini(more);
}

// The same product with line 5 replaced.
std::string SoundWith(const std::string& line5) {
  return Ini({"[Setup]", "ProductName=Tool", "ProductVersion=1.00", "RegistryRoot=Software\\Maker\\Tool", line5,
              "[Components]", "Main=$ProgramFolder"});
}

// A product: the support files with that Setup.ini, the folder Main, and the
// changes given (an empty name in "remove" takes a file away).
TStagingFiles Product(const std::string& setupIni, TStagingFiles changes = {},
                      std::initializer_list<const char*> remove = {}) {
  TStagingFiles files = SupportFiles(setupIni);
  files["Main/"] = "";
  for (auto& [name, content] : changes) files[name] = content;
  for (const char* name : remove) files.erase(name);
  return files;
}

std::vector<TPackageItem> TopLevel(const TStagingFiles& files) {
  std::vector<TPackageItem> items;
  for (const auto& [name, content] : files)
    items.push_back(name.back() == '/' ? TPackageItem::Folder(name.substr(0, name.size() - 1))
                                       : TPackageItem::File(name, content));
  return items;
}

std::string WhereOf(const TSetupFinding& finding) {
  return finding.Line > 0 ? finding.File + ":" + std::to_string(finding.Line) : finding.File;
}

std::string Listed(const std::vector<TSetupFinding>& findings) {
  std::ostringstream text;
  for (const TSetupFinding& finding : findings) text << "\n  " << FormatFinding(finding, finding.File);
  return text.str();
}

class SetupFilesCheck : public ::testing::TestWithParam<CheckCase> {};

TEST_P(SetupFilesCheck, GivesExactlyTheExpectedFindings) {
  const CheckCase& c = GetParam();
  const std::vector<TSetupFinding> findings = CheckSetupFiles(TopLevel(c.files));
  std::vector<bool> matched(findings.size());
  for (const TExpected& expected : c.expected) {
    bool found = false;
    for (size_t i = 0; i < findings.size() && !found; ++i) {
      if (matched[i] || WhereOf(findings[i]) != expected.Where || findings[i].Severity != expected.Severity ||
          findings[i].Message.find(expected.Fragment) == std::string::npos)
        continue;
      matched[i] = found = true;
    }
    EXPECT_TRUE(found) << "missing: " << expected.Where << " " << expected.Fragment << "\nfound:" << Listed(findings);
  }
  EXPECT_EQ(findings.size(), c.expected.size()) << Listed(findings);
}

const std::string kBundleHead = Ini({"[Setup]", "IsBundle=1", "ProductName=Suite", "RegistryRoot=Software\\Maker\\Suite",
                                     "DefaultFolder=Maker\\Suite", "BundleRegistryRoot=Software\\Maker"});

std::vector<CheckCase> Cases() {
  return {
      // -- what is right ---------------------------------------------------
      {"a sound product", Product(Sound()), {}},
      {"a sound bundle that uses every kind of setting",
       {{"Setup.ini",
         Ini({"[Setup]", "IsBundle=1", "ProductName=Suite", "RegistryRoot=\\Software\\Maker\\Suite",
              "DefaultFolder=Maker\\Suite 100%% %d", "BundleRegistryRoot=Software\\Maker", "BundleItemName=$BundleItem",
              "InstallDescription=$ProductName and its plug-ins", "PersonalizeInfo=Shown with $BundleSelectHeading",
              "IgnoreMinorVersion=0x0", "[Pages]", "VstPluginFolder=$1", "Personalization=1", "[Folders]",
              "Presets=$Documents\\Suite Presets", "[FoldersRegistry]", "Presets=Paths\\Presets", "[Components]",
              "$BundleItem=$ProgramFolder\\$BundleItem", "$BundleItemProductName Presets=%Presets\\$BundleItem",
              "shared=$Vst3PluginFolder", "[ComponentsOptions]", "shared=NoOverwrite", "[RegistrySettings]",
              "$BundleItem\\Voices=#16", "Flags=#$10", "Help=$ProgramFolder\\Help", "Count=#-1", "[Shortcuts]",
              "StartMenu=$ProgramFolder\\Suite.exe,Maker\\$ProductName", "Desktop=$ProgramFolder\\Suite.exe",
              "[CallLibraries]", "Init=$ProgramFolder\\Init.dll", "[InstalledFiles]", "1=Suite.exe", "[Complete]",
              "Message=$FullProductName is installed.", "Readme=$ProgramFolder\\Readme.txt",
              "Product=$ProgramFolder\\Suite.exe"})},
        {"BundleInfo.ini", "Pro=1.59,Pro Edition\r\nLite=23.0\r\n"},
        {"Setup.lic", "Licence"},
        {"Setup.jpg", SmallJpeg()},
        {"Pro/", ""},
        {"Lite/", ""},
        {"Pro Edition Presets/", ""},
        {"Lite Presets/", ""},
        {"Shared/", ""}},
       {}},

      // -- what the setup refuses --------------------------------------------
      {"no RegistryRoot",
       Product(Ini({"[Setup]", "DefaultFolder=Tool", "[Components]", "Main=$ProgramFolder"})),
       {{"Setup.ini:1", kError, "[Setup] has no RegistryRoot"}}},
      {"empty RegistryRoot and DefaultFolder",
       Product(Ini({"[Setup]", "RegistryRoot=", "DefaultFolder=", "[Components]", "Main=$ProgramFolder"})),
       {{"Setup.ini:2", kError, "RegistryRoot is empty"}, {"Setup.ini:3", kError, "DefaultFolder is empty"}}},
      {"no [Setup] section",
       Product(Ini({"[Components]", "Main=$ProgramFolder"})),
       {{"Setup.ini", kError, "no RegistryRoot"}, {"Setup.ini", kError, "no DefaultFolder"}}},
      {"DefaultFolder with %s", Product(SoundWith("DefaultFolder=Tool %s")), {{"Setup.ini:5", kError, "uses \"%s\""}}},
      {"DefaultFolder with %D", Product(SoundWith("DefaultFolder=Tool %D")), {{"Setup.ini:5", kError, "uses \"%D\""}}},
      {"DefaultFolder ending in %", Product(SoundWith("DefaultFolder=Tool 100%")), {{"Setup.ini:5", kError, "uses \"%\""}}},
      {"bundle without BundleRegistryRoot",
       Product(Ini({"[Setup]", "IsBundle=1", "RegistryRoot=Software\\Maker\\Suite", "DefaultFolder=Suite", "[Components]",
                    "Main=$ProgramFolder"}),
               {{"BundleInfo.ini", "Pro=1.0\r\n"}}),
       {{"Setup.ini:1", kError, "no BundleRegistryRoot, which a bundle setup needs"}}},
      {"bundle without BundleInfo.ini",
       Product(kBundleHead + Ini({"[Components]", "Main=$ProgramFolder"})),
       {{"BundleInfo.ini", kError, "the staging folder has none"}}},
      {"bundle item versions the setup refuses",
       Product(kBundleHead + Ini({"[Components]", "Main=$ProgramFolder"}),
               {{"BundleInfo.ini", "Pro=x.5\r\nBig=24.0\r\nOdd=1.60\r\nLast=23.59\r\nLow=0.0,Low\r\n"}}),
       {{"BundleInfo.ini:1", kError, "'x.5' is not a valid version number"},
        {"BundleInfo.ini:2", kError, "Invalid argument to time encode"},
        {"BundleInfo.ini:3", kError, "Invalid argument to time encode"}}},
      {"bundle without items",
       Product(kBundleHead + Ini({"[Components]", "Main=$ProgramFolder"}),
               {{"BundleInfo.ini", "[Items]\r\n; none yet\r\n\r\n"}}),
       {{"BundleInfo.ini", kError, "names no bundle item"}}},
      {"no Setup.lic", Product(Sound(), {}, {"Setup.lic"}), {{"Setup.lic", kError, "no Setup.lic"}}},
      {"Setup.jpg that is no JPEG", Product(Sound(), {{"Setup.jpg", "GIF89a"}}), {{"Setup.jpg", kError, "JPEG error #"}}},
      {"Setup.jpg cut short", Product(Sound(), {{"Setup.jpg", SmallJpeg().substr(0, 2)}}),
       {{"Setup.jpg", kError, "JPEG error #"}}},
      {"no Setup.ini", Product(Sound(), {}, {"Setup.ini"}), {{"Setup.ini", kError, "no Setup.ini"}}},

      // -- components --------------------------------------------------------
      {"component that is no folder",
       Product(Sound({"Mian=$ProgramFolder\\Mian", "MAIN=$ProgramFolder\\Again"})),
       {{"Setup.ini:8", kWarning, "\"Mian\" is no top-level folder of the staging folder, so the setup installs "
                                  "nothing for it; did you mean \"Main\"?"}}},
      {"component names per bundle item",
       Product(kBundleHead + Ini({"[Components]", "$BundleItem=$ProgramFolder",
                                  "$BundleItemProductName Docs=$ProgramFolder\\Docs"}),
               {{"BundleInfo.ini", "Pro=1.0,Pro Edition\r\nLite=1.0\r\n"}, {"Pro/", ""}, {"Pro Edition Docs/", ""},
                {"Main/", ""}}),
       {{"Setup.ini:8", kWarning, "is \"Lite\" for the bundle item \"Lite\", which is no top-level folder"},
        {"Setup.ini:9", kWarning, "is \"Lite Docs\" for the bundle item \"Lite\""},
        {"Setup.ini:7", kWarning, "\"Main\" is packed, but no [Components] entry installs it"}}},
      {"folder symbol in a component name",
       Product(Sound({"$ProgramFolder=$ProgramFolder\\Data"})),
       {{"Setup.ini:8", kWarning, "uses $ProgramFolder: a component name is a top-level folder of the package"}}},
      {"folder that no component installs", Product(Sound(), {{"Docs/", ""}}),
       {{"Setup.ini:6", kWarning, "the top-level folder \"Docs\" is packed, but no [Components] entry installs it"}}},
      {"component options",
       Product(Sound({"[ComponentsOptions]", "Main=nooverwrite", "main=NoOverwrite", "Main=NoOverwrite"})),
       {{"Setup.ini:9", kWarning, "the option \"nooverwrite\" has no effect"},
        {"Setup.ini:10", kWarning, "\"main\" names no [Components] entry (options match a component name exactly, "
                                   "letter case included), so the option has no effect; [Components] has \"Main\""}}},

      // -- sections, keys and values the setup does not read -----------------
      {"unknown section and key",
       Product(Sound({"[Shortcut]", "StartMenu=$ProgramFolder\\Tool.exe", "[Complete]", "Reedme=$ProgramFolder\\r.txt"})),
       {{"Setup.ini:8", kWarning, "does not read a section [Shortcut]; did you mean [Shortcuts]?"},
        {"Setup.ini:11", kWarning, "does not read [Complete] Reedme; did you mean Readme?"}}},
      {"misspelt [Setup] key",
       Product(Sound({"[Setup]", "ProductNmae=Tool"})),
       {{"Setup.ini:1", kWarning, "the section [Setup] comes again at line 8"},
        {"Setup.ini:8", kError, "[Setup] has no RegistryRoot"},
        {"Setup.ini:8", kError, "[Setup] has no DefaultFolder"},
        {"Setup.ini:9", kWarning, "ProductNmae; did you mean ProductName?"}}},
      {"booleans that are no integers",
       Product(Sound({"[Setup]", "RegistryRoot=Software\\Tool", "DefaultFolder=Tool", "IsBundle=true",
                      "IgnoreMinorVersion=yes", "[Pages]", "VstPluginFolder=0x1", "DigiPluginFolder=$1",
                      "PhotoshopPluginFolder=-1", "Personalization=on"})),
       {{"Setup.ini:1", kWarning, "comes again at line 8"},
        {"Setup.ini:11", kWarning, "IsBundle=true is no integer, so the setup takes the default 0 (off)"},
        {"Setup.ini:12", kWarning, "IgnoreMinorVersion=yes is no integer, so the setup takes the default 1 (on)"},
        {"Setup.ini:17", kWarning, "Personalization=on is no integer"}}},
      {"key given twice", Product(Sound({"[Complete]", "Readme=$ProgramFolder\\a.txt", "Readme=$ProgramFolder\\b.txt"})),
       {{"Setup.ini:9", kWarning, "[Complete] Readme is given again at line 10"}}},
      {"entries without =",
       Product(Sound({"Program", "[Complete]", "Readme"})),
       {{"Setup.ini:8", kWarning, "\"Program\" has no \"=\"; the entries of [Components] are NAME=VALUE"},
        {"Setup.ini:10", kWarning, "\"Readme\" has no \"=\"; the setup ignores the line"}}},
      {"lines outside the sections and a header with a comment",
       Product(Ini({"ProductName=Tool", "[Setup]", "RegistryRoot=Software\\Tool", "DefaultFolder=Tool",
                    "[Components] ; what to install", "Main=$ProgramFolder"})),
       {{"Setup.ini:1", kWarning, "stands before the first section; the setup ignores it"},
        {"Setup.ini:5", kWarning, "is no section header"},
        {"Setup.ini:5", kWarning, "\"[Components] ; what to install\" has no \"=\"; the setup ignores the line"},
        {"Setup.ini:6", kWarning, "the setup does not read [Setup] Main"},
        {"Setup.ini", kWarning, "\"Main\" is packed, but no [Components] entry installs it"}}},
      {"UTF-8 byte-order mark before the first section",
       Product("\xEF\xBB\xBF" + Sound()),
       {{"Setup.ini:1", kWarning, "byte-order mark, which the setup reads as three characters of the first line, so it "
                                  "does not see the section \"[Setup]\""},
        {"Setup.ini:2", kWarning, "before the first section"},
        {"Setup.ini:3", kWarning, "before the first section"},
        {"Setup.ini:4", kWarning, "before the first section"},
        {"Setup.ini:5", kWarning, "before the first section"},
        {"Setup.ini", kError, "no RegistryRoot"},
        {"Setup.ini", kError, "no DefaultFolder"}}},
      {"UTF-8 text", Product(Sound({"[Complete]", "Message=Caf\xC3\xA9 is ready"})),
       {{"Setup.ini:9", kWarning, "saved as UTF-8, but the setup reads Windows-1252"}}},
      {"UTF-16 text",
       Product(std::string("\xFF\xFE[\0S\0e\0t\0u\0p\0]\0\r\0\n\0", 20)),
       {{"Setup.ini:1", kWarning, "UTF-16"},
        {"Setup.ini", kError, "no RegistryRoot"},
        {"Setup.ini", kError, "no DefaultFolder"},
        {"Setup.ini", kWarning, "\"Main\" is packed"}}},
      {"empty texts that have defaults",
       Product(Sound({"[Setup]", "RegistryRoot=Software\\Tool", "DefaultFolder=Tool", "InstallDescription=",
                      "[Complete]", "Message="})),
       {{"Setup.ini:1", kWarning, "comes again at line 8"},
        {"Setup.ini:11", kWarning, "InstallDescription is empty, which replaces its default"},
        {"Setup.ini:13", kWarning, "[Complete] Message is empty"}}},
      {"RegistryRoot with a registry root",
       Product(Ini({"[Setup]", "RegistryRoot=HKEY_LOCAL_MACHINE\\Software\\Tool", "DefaultFolder=Tool", "[Components]",
                    "Main=$ProgramFolder"})),
       {{"Setup.ini:2", kWarning, "names a registry root"}}},
      // The setup program drops a trailing backslash itself.
      {"RegistryRoot ending in a backslash",
       Product(Ini({"[Setup]", "RegistryRoot=Software\\Tool\\", "DefaultFolder=Tool", "[Components]",
                    "Main=$ProgramFolder"})),
       {}},
      {"DefaultFolder with a drive", Product(SoundWith("DefaultFolder=C:\\Tool")),
       {{"Setup.ini:5", kWarning, "must not start with a drive"}}},

      // -- list entries ------------------------------------------------------
      {"shortcut locations and titles",
       Product(Sound({"[Shortcuts]", "startmenu=$ProgramFolder\\a.exe", "Programs=$ProgramFolder\\a.exe",
                      "Desktop=$ProgramFolder\\a.exe,", "Desktop=$ProgramFolder\\a.exe,Tool: Pro",
                      "StartMenu= ,Tool", "StartMenu=$ProgramFolder\\a.exe,Maker\\Tool"})),
       {{"Setup.ini:9", kWarning, "differs from StartMenu only in letter case"},
        {"Setup.ini:10", kWarning, "\"Programs\" is neither StartMenu nor Desktop"},
        {"Setup.ini:11", kWarning, "the link would be named \".lnk\""},
        {"Setup.ini:12", kWarning, "forbids in file names"},
        {"Setup.ini:13", kWarning, "the shortcut has no target"}}},
      {"registry integers",
       Product(Sound({"[RegistrySettings]", "A=#0x10", "B=#", "C=#5a", "D=#5", "E=#$10", "F=#-1", "G=Text #5",
                      "[GlobalRegistrySettings]", "H=#99999999999"})),
       {{"Setup.ini:9", kWarning, "\"#0x10\" is written as a string, not a number"},
        {"Setup.ini:10", kWarning, "\"#\" is written as a string"},
        {"Setup.ini:11", kWarning, "\"#5a\" is written as a string"},
        {"Setup.ini:17", kWarning, "\"#99999999999\" is written as a string"}}},
      {"installed files, folder records and libraries",
       Product(Sound({"[InstalledFiles]", "2.0=Tool.exe", "02=Tool.exe", "2=Tool.exe", "[FoldersRegistry]",
                      "Presets=Paths\\Presets", "[CallLibraries]", "Init=", "=$ProgramFolder\\Tool.dll"})),
       {{"Setup.ini:9", kWarning, "\"2.0\" is no major version"},
        {"Setup.ini:10", kWarning, "\"02\" is no major version"},
        {"Setup.ini:13", kWarning, "no [Folders] entry is named \"Presets\""},
        {"Setup.ini:15", kWarning, "\"Init\" has no library"},
        {"Setup.ini:16", kWarning, "names no function"}}},
      {"relative target", Product(Sound({"[CallLibraries]", "Init=Tool.dll"})),
       {{"Setup.ini:9", kWarning, "the [CallLibraries] library \"Tool.dll\" does not begin with a folder symbol"}}},

      // -- symbols -----------------------------------------------------------
      {"text symbols where the setup does not expand them",
       Product(Sound({"[Setup]", "RegistryRoot=Software\\Tool", "DefaultFolder=Tool", "PersonalizeInfo=About $ProductName",
                      "BundleSelectHeading=$BundleSelectDescription", "InstallDescription=$ProgramFolder",
                      "[Complete]", "Message=Thanks, $productname", "[Shortcuts]",
                      "StartMenu=$ProgramFolder\\a.exe,$Produktname"})),
       {{"Setup.ini:1", kWarning, "comes again at line 8"},
        {"Setup.ini:11", kWarning, "$ProductName stays as written in [Setup] PersonalizeInfo: the setup fills in "
                                   "$PersonalizeInfo only after it has replaced $ProductName, $FullProductName and "
                                   "$ProductVersion"},
        {"Setup.ini:13", kWarning, "$ProgramFolder is a folder symbol, which [Setup] InstallDescription does not expand"},
        {"Setup.ini:15", kWarning, "\"$productname\" in [Complete] Message stays as written: symbols are "
                                   "case-sensitive; write $ProductName"},
        {"Setup.ini:17", kWarning, "knows no symbol \"$Produktname\", so it stays as written in the [Shortcuts] "
                                   "title; did you mean $ProductName?"}}},
      {"folder symbols and custom folders",
       Product(Sound({"Main=$ProgramFolder\\$ProductName", "[Folders]", "Presets=$ProgramFolder\\Presets",
                      "A=$Documents\\A", "AB=$Documents\\AB", "[CallLibraries]",
                      "Init=$ProgramFolder\\a.dll;$ProgramFolder\\b.dll", "Load=%Presets\\$ProgramFolder.dll",
                      "Pick=%AB\\x.dll", "Miss=%Missing\\x.dll", "Env=%WINDIR%\\x.dll", "Data=%APPDATA\\x.dll"})),
       {{"Setup.ini:8", kWarning, "$ProductName is a text symbol, which the [Components] target does not expand"},
        {"Setup.ini:14", kWarning, "replaces only the first $ProgramFolder in the [CallLibraries] library; the others"},
        {"Setup.ini:15", kWarning, "only the first $ProgramFolder in the [CallLibraries] library (one comes from a "
                                   "custom folder)"},
        {"Setup.ini:16", kWarning, "\"%AB\" in the [CallLibraries] library is read as \"%A\" followed by \"B\", "
                                   "since [Folders] A comes first"},
        {"Setup.ini:17", kWarning, "\"%Missing\" in the [CallLibraries] library names no [Folders] entry"},
        {"Setup.ini:17", kWarning, "does not begin with a folder symbol"},
        {"Setup.ini:18", kWarning, "(the setup reads no environment variables)"},
        {"Setup.ini:18", kWarning, "does not begin with a folder symbol"},
        {"Setup.ini:19", kWarning, "\"%APPDATA\" in the [CallLibraries] library is read as \"%A\" followed by "
                                   "\"PPDATA\""}}},
      {"symbols in settings used as written",
       Product(Ini({"[Setup]", "RegistryRoot=Software\\$ProductName", "DefaultFolder=$ProductName %d",
                    "PersonalizeOwner=$BundleItem\\Owner", "[Components]", "Main=$ProgramFolder", "[InstalledFiles]",
                    "1=$ProgramFolder\\Tool.exe"})),
       {{"Setup.ini:2", kWarning, "[Setup] RegistryRoot is used as written, so $ProductName stays in it"},
        {"Setup.ini:3", kWarning, "[Setup] DefaultFolder is used as written"},
        {"Setup.ini:4", kWarning, "[Setup] PersonalizeOwner is used as written, so $BundleItem"},
        {"Setup.ini:8", kWarning, "the [InstalledFiles] file is used as written, so $ProgramFolder"}}},
      {"bundle item symbols without a bundle item",
       Product(Sound({"[Setup]", "RegistryRoot=Software\\Tool", "DefaultFolder=Tool",
                      "BundleItemName=$BundleItemProductName", "[RegistrySettings]", "$BundleItem\\Path=x",
                      "[Shortcuts]", "StartMenu=$ProgramFolder\\$BundleItem.exe"})),
       {{"Setup.ini:1", kWarning, "comes again at line 8"},
        {"Setup.ini:11", kWarning, "shows as the item's name followed by \"ProductName\""},
        {"Setup.ini:13", kWarning, "the [RegistrySettings] key uses $BundleItem, but this is no bundle setup"},
        {"Setup.ini:15", kWarning, "so the setup never creates the shortcut"}}},
      {"finish text with the unexpanded description",
       Product(Sound({"[Complete]", "Message=$InstallDescription is ready."})),
       {{"Setup.ini:9", kWarning, "which it receives as written (\"$ProductName\"), so $ProductName in it stays as "
                                  "written"}}},

      // -- BundleInfo.ini and the other files ----------------------------------
      {"BundleInfo.ini without a bundle", Product(Sound(), {{"BundleInfo.ini", "Pro=1.0\r\n"}}),
       {{"BundleInfo.ini", kWarning, "IsBundle is off"}}},
      {"BundleInfo.ini read as plain lines",
       Product(kBundleHead + Ini({"[Components]", "Main=$ProgramFolder"}),
               {{"BundleInfo.ini", ";Old=1.0\r\n Pro=1.0\r\nLite=1.0, Lite Edition\r\nPlus 1.0\r\n=2.0\r\n[Items]=1.0\r\n"}}),
       {{"BundleInfo.ini:1", kWarning, "no comments: this line makes a bundle item named \";Old\""},
        {"BundleInfo.ini:2", kWarning, "the item name \" Pro\" keeps its blanks"},
        {"BundleInfo.ini:3", kWarning, "the product name \" Lite Edition\" keeps its blanks"},
        {"BundleInfo.ini:4", kWarning, "\"Plus 1.0\" has no \"=\""},
        {"BundleInfo.ini:5", kWarning, "no name before \"=\""},
        {"BundleInfo.ini:6", kWarning, "no sections: this line makes a bundle item named \"[Items]\""}}},
      {"no Setup.jpg", Product(Sound(), {}, {"Setup.jpg"}), {{"Setup.jpg", kWarning, "no Setup.jpg"}}},
  };
}

INSTANTIATE_TEST_SUITE_P(Table, SetupFilesCheck, ::testing::ValuesIn(Cases()), [](const auto& info) {
  std::string name;
  for (const char c : std::string(info.param.what)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
});

TEST(SetupFilesCheck, TheDemoProductHasNoFindings) {
  const TStagingTree demo = ReadStagingTree(SETUP_DEMO_DIR, TStamp{});
  const std::vector<TSetupFinding> findings = CheckSetupFiles(demo.TopLevel);
  EXPECT_TRUE(findings.empty()) << Listed(findings);
}

TEST(SetupFilesCheck, NamesTheFilesAsStaged) {
  TStagingFiles files = Product("", {}, {"Setup.ini", "Setup.lic"});
  files["setup.INI"] = Sound({"Mian=$ProgramFolder"});
  files["SETUP.LIC"] = "Licence";
  const std::vector<TSetupFinding> findings = CheckSetupFiles(TopLevel(files));
  ASSERT_EQ(findings.size(), 1u) << Listed(findings);
  EXPECT_EQ(WhereOf(findings[0]), "setup.INI:8");
}

// The check says the setup misses the first section exactly when the
// setup's own reader does: both are asked about the same files.
TEST(SetupFilesCheck, AgreesWithTheReaderAboutAByteOrderMark) {
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"mark before the first header", "\xEF\xBB\xBF" + Sound()},
      {"mark before a comment", "\xEF\xBB\xBF; made by hand\r\n" + Sound()},
      {"mark before a blank line", "\xEF\xBB\xBF\r\n" + Sound()},
      {"mark and blanks before the first header", "\xEF\xBB\xBF  " + Sound()},
  };
  for (const auto& c : cases) {
    const TIniFile ini(SplitLines(c.text));
    const bool readerSeesSetup = ini.FindKey("Setup", "RegistryRoot") != nullptr;
    bool checkSaysUnseen = false, checkWarnsOfTheMark = false;
    for (const TSetupFinding& finding : CheckSetupFiles(TopLevel(Product(c.text)))) {
      checkWarnsOfTheMark |= finding.Message.find("byte-order mark") != std::string::npos;
      checkSaysUnseen |= finding.Message.find("does not see the section") != std::string::npos;
    }
    EXPECT_TRUE(checkWarnsOfTheMark) << c.what;
    EXPECT_EQ(checkSaysUnseen, !readerSeesSetup) << c.what;
  }
}

}  // namespace
