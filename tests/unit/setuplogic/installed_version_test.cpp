// Recognising an earlier installation, and what follows from it: the
// proposed program folder and the proposed owner name.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "setup_fixture.h"

namespace {

constexpr RegistryRoot kHKLM = RegistryRoot::LocalMachine;
constexpr RegistryRoot kHKCU = RegistryRoot::CurrentUser;
const std::string kProductKey = "Software\\Maker\\Tool\\";

constexpr const char* kDetectionIni =
    "[Setup]\r\nRegistryRoot=Software\\Maker\\Tool\r\nDefaultFolder=Tool %d\r\nPersonalizeOwner=Owner\\Name\r\n"
    "[InstalledFiles]\r\n2=Tool.exe\r\n2=Data\\Core.dat\r\n1=Old.exe\r\n";

// An installation's records, and its files on disk.
struct TInstallation {
  std::string Key;
  std::optional<std::string> VersionString;
  std::optional<std::string> Location;
  std::vector<std::string> Files;  // below Location
};

void Install(TTestPlatform& platform, const TInstallation& installation) {
  platform.Reg.AddKey(kHKLM, kProductKey + installation.Key);
  if (installation.VersionString)
    platform.Reg.SetString(kHKLM, kProductKey + installation.Key, "VersionString", *installation.VersionString);
  if (installation.Location) {
    platform.Reg.SetString(kHKLM, kProductKey + installation.Key, "Location", *installation.Location);
    for (const std::string& file : installation.Files) {
      const std::string path = *installation.Location + (installation.Location->back() == '\\' ? "" : "\\") + file;
      platform.Files.AddFolder(path.substr(0, path.rfind('\\')));
      platform.Files.AddFile(path, "x");
    }
  }
}

struct TDetectionCase {
  const char* Name;
  std::vector<TInstallation> Installations;  // in listing order
  bool IgnoreMinorVersion;
  bool UpgradeFound;
  const char* InstalledVersion;
  const char* InstalledVersionKey;
  const char* InstalledLocation;
  const char* ProgramFolder;
};

std::ostream& operator<<(std::ostream& out, const TDetectionCase& c) { return out << c.Name; }

const std::vector<std::string> kComplete2 = {"Tool.exe", "Data\\Core.dat"};
constexpr const char* kDefault = "C:\\Program Files\\Tool 2";

const TDetectionCase kDetectionCases[] = {
    {"NothingInstalled", {}, true, false, "0.00", "", "", kDefault},
    {"HighestVersionNotAboveThePackagesMajor",
     {{"1.0", "1.0", "C:\\Tool1", {"Old.exe"}},
      {"3.0", "3.0", "C:\\Tool3", {}},
      {"2.0", "2.0", "C:\\Tool2\\", kComplete2}},
     true, true, "2.00", "2.0", "C:\\Tool2\\", "C:\\Tool2\\"},
    {"KeyFormedFromTheVersionFound", {{"2.0", "2.1", "C:\\Tool2", kComplete2}}, true, true, "2.10", "2.0",
     "C:\\Tool2\\", "C:\\Tool2\\"},
    // The version 2.1 has its own key when minor versions count, and that key holds no location.
    {"KeyWithMinorVersionNotRecorded", {{"2.0", "2.1", "C:\\Tool2", kComplete2}}, false, false, "2.10", "2.1", "",
     kDefault},
    {"KeyNameStandsInForAnEmptyVersionString",
     {{"Settings", std::nullopt, std::nullopt, {}}, {"2.0", "", "C:\\Tool2", kComplete2}},
     true, true, "2.00", "2.0", "C:\\Tool2\\", "C:\\Tool2\\"},
    {"KeyNameStandsInForAMissingVersionString", {{"2.0", std::nullopt, "C:\\Tool2", kComplete2}}, true, true,
     "2.00", "2.0", "C:\\Tool2\\", "C:\\Tool2\\"},
    {"OtherMajorVersionKeepsTheDefaultFolder", {{"1.0", "1.2", "C:\\Tool1", {"Old.exe"}}}, true, true, "1.20", "1.0",
     "C:\\Tool1\\", kDefault},
    {"AMissingFileMeansNoInstallation", {{"2.0", "2.0", "C:\\Tool2", {"Tool.exe"}}}, true, false, "2.00", "2.0", "",
     kDefault},
    {"NoLocationMeansNoInstallation", {{"2.0", "2.0", std::nullopt, {}}}, true, false, "2.00", "2.0", "", kDefault},
};

class DetectionTest : public SetupFixture, public testing::WithParamInterface<TDetectionCase> {};

TEST_P(DetectionTest, FindsTheEarlierInstallation) {
  const TDetectionCase& c = GetParam();
  SetupIni = std::string(kDetectionIni) + "[Setup]\r\n" + (c.IgnoreMinorVersion ? "" : "IgnoreMinorVersion=0\r\n") +
             "RegistryRoot=Software\\Maker\\Tool\r\nDefaultFolder=Tool %d\r\n";
  std::vector<std::string> order;
  for (const TInstallation& installation : c.Installations) {
    Install(platform, installation);
    order.push_back(installation.Key);
  }
  if (!order.empty()) platform.Reg.SetSubKeyOrder(kHKLM, kProductKey, order);

  TSetupInstaller& s = Build();
  EXPECT_EQ(s.UpgradeFound, c.UpgradeFound);
  EXPECT_EQ(s.InstalledVersion.VersionText(), c.InstalledVersion);
  EXPECT_EQ(s.InstalledVersionKey, c.InstalledVersionKey);
  EXPECT_EQ(s.InstalledLocation, c.InstalledLocation);
  EXPECT_EQ(s.ProgramFolder, c.ProgramFolder);
}

INSTANTIATE_TEST_SUITE_P(Registry, DetectionTest, testing::ValuesIn(kDetectionCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SetupFixture, AVersionStringOfAnotherTypeCountsAsMissing) {
  platform.Reg.SetInteger(kHKLM, kProductKey + "2.0", "VersionString", 2);
  platform.Reg.SetInteger(kHKLM, kProductKey + "2.0", "Location", 2);
  TSetupInstaller& s = Build();
  EXPECT_EQ(s.InstalledVersion.VersionText(), "2.00");
  // A location that cannot be read is no location.
  EXPECT_FALSE(s.UpgradeFound);
  EXPECT_EQ(s.InstalledLocation, "");
}

TEST_F(SetupFixture, TheFolderTemplateTakesThePackagesMajorVersion) {
  const struct {
    const char* Template;
    const char* Folder;
  } cases[] = {
      {"Tool %d", "C:\\Program Files\\Tool 7"},
      {"Maker\\Tool", "C:\\Program Files\\Maker\\Tool"},
      {"Tool\\", "C:\\Program Files\\Tool\\"},
      {"100%% Tool %d (%d)", "C:\\Program Files\\100% Tool 7 (7)"},
  };
  Version = "7.1";
  Build();
  for (const auto& c : cases) {
    setup->DefaultFolder = c.Template;
    setup->FindProgramFolder();
    EXPECT_EQ(setup->ProgramFolder, c.Folder) << c.Template;
  }
}

// -- the owner name -------------------------------------------------------------------

class OwnerTest : public SetupFixture {
 protected:
  OwnerTest() { SetupIni = kDetectionIni; }
  void Owner(const std::string& key, const std::string& name) {
    platform.Reg.SetString(kHKCU, kProductKey + key + "\\Owner", "Name", name);
  }
};

TEST_F(OwnerTest, AnUpgradeTakesTheRecordedOwner) {
  Install(platform, {"2.0", "2.0", "C:\\Tool2", kComplete2});
  Owner("2.0", "Ann");
  TSetupInstaller& s = Build();
  EXPECT_EQ(s.PreviousOwner, "Ann");
  EXPECT_EQ(s.OwnerName, "Ann");
}

TEST_F(OwnerTest, TheOwnerComesFromTheInstalledVersionsKey) {
  Install(platform, {"1.0", "1.0", "C:\\Tool1", {"Old.exe"}});
  Owner("1.0", "Old Ann");
  Owner("2.0", "New Ann");
  EXPECT_EQ(Build().OwnerName, "Old Ann");
}

TEST_F(OwnerTest, WithoutAnUpgradeOrARecordTheWindowsUserIsProposed) {
  Owner("2.0", "Ann");  // a record, but no installation
  TSetupInstaller& s = Build();
  EXPECT_EQ(s.PreviousOwner, "");
  EXPECT_EQ(s.OwnerName, "Tester");
}

TEST_F(OwnerTest, AnEmptyRecordAlsoProposesTheWindowsUser) {
  Install(platform, {"2.0", "2.0", "C:\\Tool2", kComplete2});
  Owner("2.0", "");
  EXPECT_EQ(Build().OwnerName, "Tester");
}

TEST_F(OwnerTest, AnUnreadableUserNameLeavesTheNameEmpty) {
  platform.Sys.SetUserName(std::nullopt);
  EXPECT_EQ(Build().OwnerName, "");
}

TEST_F(OwnerTest, WithoutPersonalizationTheVersionKeysDefaultValueIsTheRecord) {
  SetupIni = kMinimalIni;
  Install(platform, {"2.0", "2.0", "C:\\Tool2", {}});
  platform.Reg.SetString(kHKCU, kProductKey + "2.0", "", "Bob");
  EXPECT_EQ(Build().OwnerName, "Bob");
}

}  // namespace
