#include <gtest/gtest.h>

#include <functional>

#include "common/shell_services.h"
#include "test_platform.h"

namespace {

constexpr int kCsidlProgramFiles = 0x26;
constexpr int kCsidlCommonFiles = 0x2B;
constexpr int kCsidlAppData = 0x1A;
constexpr int kCsidlPersonal = 0x05;
const char* const kCurrentVersion = "\\Software\\Microsoft\\Windows\\CurrentVersion";

class ShellFoldersTest : public ::testing::Test {
 protected:
  TTestPlatform platform;
  TShellServices shell{platform.Bundle()};
};

TEST_F(ShellFoldersTest, SpecialFoldersComeFromTheShellByTheirWindowsNumbers) {
  struct Case {
    SpecialFolderKind kind;
    int csidl;
  };
  const Case cases[] = {
      {SpecialFolderKind::Programs, 0x02},    {SpecialFolderKind::DesktopFolder, 0x10},
      {SpecialFolderKind::Documents, 0x05},   {SpecialFolderKind::AppData, 0x1A},
      {SpecialFolderKind::ProgramFiles, 0x26}, {SpecialFolderKind::CommonFiles, 0x2B},
  };
  for (const auto& c : cases) {
    platform.ShellServices.SetSpecialFolder(c.csidl, "F" + std::to_string(c.csidl));
    EXPECT_EQ(shell.GetSpecialFolder(c.kind), "F" + std::to_string(c.csidl)) << c.csidl;
  }
  EXPECT_EQ(shell.GetSpecialFolder(SpecialFolderKind::Templates), "");
}

// The Program Files and Common Files folders share one fallback procedure.
struct FallbackRule {
  const char* name;
  int csidl;
  const char* valueName;
  const char* defaultFolder;
  std::function<std::string(TShellServices&)> get;
};

const FallbackRule kRules[] = {
    {"ProgramFiles", kCsidlProgramFiles, "ProgramFilesDir", "C:\\Program Files",
     [](TShellServices& s) { return s.GetProgramFilesFolder(); }},
    {"CommonFiles", kCsidlCommonFiles, "CommonFilesDir", "C:\\Program Files\\Common Files",
     [](TShellServices& s) { return s.GetCommonFilesFolder(); }},
};

enum class RegistryState { NoKey, KeyWithoutValue, KeyWithValue, ValueOfWrongType, KeyRefusesToOpen, KeyRefusesWrites };

TEST(ShellFolderFallbacks, ShellThenRegistryThenDefault) {
  struct Case {
    const char* what;
    bool shellKnows;
    RegistryState registry;
    const char* expected;  // nullptr: the rule's default
    bool registryRead;
  };
  const Case cases[] = {
      {"shell knows it", true, RegistryState::KeyWithValue, "D:\\Shell", false},
      {"registry value", false, RegistryState::KeyWithValue, "E:\\Registry", true},
      // The key answers for the folder even when it has no value for it.
      {"key without the value", false, RegistryState::KeyWithoutValue, "", true},
      {"no key", false, RegistryState::NoKey, nullptr, true},
      {"value of the wrong type", false, RegistryState::ValueOfWrongType, nullptr, true},
      {"key refuses to open", false, RegistryState::KeyRefusesToOpen, nullptr, true},
      // A user without rights can still read the key.
      {"key refuses full access", false, RegistryState::KeyRefusesWrites, "E:\\Registry", true},
  };
  for (const auto& rule : kRules) {
    for (const auto& c : cases) {
      TTestPlatform platform;
      TShellServices shell(platform.Bundle());
      if (c.shellKnows) platform.ShellServices.SetSpecialFolder(rule.csidl, "D:\\Shell");
      platform.ShellServices.SetSpecialFolder(kCsidlAppData, "D:\\AppData");  // an unrelated folder
      auto& reg = platform.Reg;
      switch (c.registry) {
        case RegistryState::NoKey:
          reg.AddKey(RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows");
          break;
        case RegistryState::KeyWithoutValue:
          reg.SetString(RegistryRoot::LocalMachine, kCurrentVersion, "MediaPathUnexpanded", "E:\\Media");
          break;
        case RegistryState::KeyWithValue:
          reg.SetString(RegistryRoot::LocalMachine, kCurrentVersion, rule.valueName, "E:\\Registry");
          break;
        case RegistryState::ValueOfWrongType:
          reg.SetInteger(RegistryRoot::LocalMachine, kCurrentVersion, rule.valueName, 1);
          break;
        case RegistryState::KeyRefusesToOpen:
          reg.SetString(RegistryRoot::LocalMachine, kCurrentVersion, rule.valueName, "E:\\Registry");
          reg.DenyOpen(RegistryRoot::LocalMachine, kCurrentVersion);
          break;
        case RegistryState::KeyRefusesWrites:
          reg.SetString(RegistryRoot::LocalMachine, kCurrentVersion, rule.valueName, "E:\\Registry");
          reg.DenyAccess(RegistryRoot::LocalMachine, "\\Software");
          break;
      }
      const std::string before = reg.Dump();
      EXPECT_EQ(rule.get(shell), c.expected ? c.expected : rule.defaultFolder) << rule.name << ": " << c.what;
      EXPECT_EQ(reg.OpenCount() > 0, c.registryRead) << rule.name << ": " << c.what;
      EXPECT_EQ(reg.Dump(), before) << rule.name << ": " << c.what;
    }
  }
}

TEST_F(ShellFoldersTest, ApplicationDataFallsBackToProgramFilesNotDocuments) {
  platform.ShellServices.SetSpecialFolder(kCsidlAppData, "C:\\Users\\Ann\\AppData\\Roaming");
  platform.ShellServices.SetSpecialFolder(kCsidlProgramFiles, "C:\\Programs");
  platform.ShellServices.SetSpecialFolder(kCsidlPersonal, "C:\\Users\\Ann\\Documents");
  EXPECT_EQ(shell.GetApplicationDataFolder(), "C:\\Users\\Ann\\AppData\\Roaming");
  platform.ShellServices.RemoveSpecialFolder(kCsidlAppData);
  EXPECT_EQ(shell.GetApplicationDataFolder(), "C:\\Programs");
  // ... and so on to the Program Files folder's own fallbacks.
  platform.ShellServices.RemoveSpecialFolder(kCsidlProgramFiles);
  platform.Reg.SetString(RegistryRoot::LocalMachine, kCurrentVersion, "ProgramFilesDir", "E:\\Apps");
  EXPECT_EQ(shell.GetApplicationDataFolder(), "E:\\Apps");
}

TEST_F(ShellFoldersTest, DocumentsFolderIsNeverEmpty) {
  EXPECT_EQ(shell.GetDocumentsFolder(), "C:\\My Documents");
  platform.ShellServices.SetSpecialFolder(kCsidlPersonal, "C:\\Users\\Ann\\Documents");
  EXPECT_EQ(shell.GetDocumentsFolder(), "C:\\Users\\Ann\\Documents");
}

}  // namespace
