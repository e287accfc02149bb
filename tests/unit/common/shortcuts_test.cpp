#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/shell_services.h"
#include "test_platform.h"

namespace {

using namespace file_attribute;

TShellLink LinkTo(const std::string& target) {
  TShellLink link;
  link.Target = target;
  return link;
}

class ShortcutsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& reg = platform.Reg;
    const auto hkcr = RegistryRoot::ClassesRoot;
    reg.SetString(hkcr, ".txt", "", "txtfile");
    reg.SetString(hkcr, "txtfile\\DefaultIcon", "", "  %SystemRoot%\\system32\\imageres.dll,-102  ");
    reg.SetString(hkcr, ".chm", "", "chm.file");
    reg.SetString(hkcr, "chm.file\\DefaultIcon", "", "C:\\Windows\\hh.exe,0");
    reg.SetString(hkcr, ".abc", "", "abcfile");
    reg.SetString(hkcr, "abcfile\\DefaultIcon", "", "a.dll,first");
    reg.SetString(hkcr, ".big", "", "bigfile");
    reg.SetString(hkcr, "bigfile\\DefaultIcon", "", "a.dll,99999999999");
    reg.SetString(hkcr, ".pad", "", "padfile");
    reg.SetString(hkcr, "padfile\\DefaultIcon", "", "\t b.dll , 3 \t");
    reg.SetString(hkcr, ".doc", "", "docfile");
    reg.SetString(hkcr, "docfile\\DefaultIcon", "", "C:\\Icons\\doc.ico");
    reg.SetString(hkcr, ".noi", "", "noiconfile");
    reg.AddKey(hkcr, "noiconfile\\shell\\open");
    reg.AddKey(hkcr, ".untyped");
    reg.SetInteger(hkcr, ".num", "", 7);
    reg.SetString(hkcr, ".dwi", "", "dwordiconfile");
    reg.SetInteger(hkcr, "dwordiconfile\\DefaultIcon", "", 3);
    // What a look-up of an empty type name would find at the root.
    reg.SetString(hkcr, "DefaultIcon", "", "root.dll,9");
  }

  TShellLink ReadBack(const std::string& linkFile) {
    TShellLink link;
    EXPECT_TRUE(platform.ShellServices.ReadLink(linkFile, link)) << linkFile;
    return link;
  }

  TTestPlatform platform;
  TShellServices shell{platform.Bundle()};
};

TEST_F(ShortcutsTest, DefaultIconOfATarget) {
  struct Case {
    const char* file;
    TIconLocation expected;  // an empty File: the target itself
    bool registryRead;
  };
  const Case cases[] = {
      {"C:\\P\\x.EXE", {"", 0}, false},
      {"C:\\P\\Logo.Ico", {"", 0}, false},
      {"C:\\P\\Readme.txt", {"%SystemRoot%\\system32\\imageres.dll", -102}, true},
      {"C:\\P\\Readme.TXT", {"%SystemRoot%\\system32\\imageres.dll", -102}, true},
      {"C:\\P\\Help.chm", {"C:\\Windows\\hh.exe", 0}, true},
      {"C:\\P\\Icons.doc", {"C:\\Icons\\doc.ico", 0}, true},
      // An index that is no number leaves the whole text as the file.
      {"C:\\P\\x.abc", {"a.dll,first", 0}, true},
      {"C:\\P\\x.big", {"a.dll,99999999999", 0}, true},
      // The whole value is stripped, the part before the comma is not again.
      {"C:\\P\\x.pad", {"b.dll ", 3}, true},
      {"C:\\P\\x.noi", {"", 0}, true},
      {"C:\\P\\x.unknown", {"", 0}, true},
      {"C:\\P\\x.untyped", {"", 0}, true},
      {"C:\\P\\x.num", {"", 0}, true},
      {"C:\\P\\x.dwi", {"", 0}, true},
      {"C:\\P\\README", {"", 0}, false},
      {"C:\\P.d\\README", {"", 0}, false},
  };
  for (const auto& c : cases) {
    const int opensBefore = platform.Reg.OpenCount();
    const TIconLocation expected{c.expected.File.empty() ? std::string(c.file) : c.expected.File, c.expected.Index};
    EXPECT_EQ(shell.GetDefaultIcon(c.file), expected) << c.file;
    EXPECT_EQ(platform.Reg.OpenCount() > opensBefore, c.registryRead) << c.file;
  }
}

TEST_F(ShortcutsTest, CreateShortcutWorksInTheTargetsFolderWithItsIcon) {
  platform.Files.AddFolder("C:\\Menu\\Product");
  shell.CreateShortcut("C:\\Menu\\Product\\Help.lnk", "C:\\P\\Help.chm");
  const TShellLink link = ReadBack("C:\\Menu\\Product\\Help.lnk");
  EXPECT_EQ(link.Target, "C:\\P\\Help.chm");
  EXPECT_EQ(link.WorkingFolder, "C:\\P\\");
  EXPECT_EQ(link.IconFile, "C:\\Windows\\hh.exe");
  EXPECT_EQ(link.IconIndex, 0);

  shell.CreateShortcut("C:\\Menu\\Product\\Help.lnk", "D:\\Product\\Bin\\Product.exe");  // replaces it
  const TShellLink program = ReadBack("C:\\Menu\\Product\\Help.lnk");
  EXPECT_EQ(program.Target, "D:\\Product\\Bin\\Product.exe");
  EXPECT_EQ(program.WorkingFolder, "D:\\Product\\Bin\\");
  EXPECT_EQ(program.IconFile, "D:\\Product\\Bin\\Product.exe");
  EXPECT_EQ(program.IconIndex, 0);
}

TEST_F(ShortcutsTest, CreateShortcutIntoAMissingFolderWritesNothingAndSaysNothing) {
  EXPECT_NO_THROW(shell.CreateShortcut("C:\\Missing\\Help.lnk", "C:\\P\\Help.chm"));
  EXPECT_FALSE(platform.Files.FileExists("C:\\Missing\\Help.lnk"));
}

TEST_F(ShortcutsTest, ALinkObjectThatCannotBeMadeIsAnError) {
  platform.Files.AddFolder("C:\\Menu");
  platform.ShellServices.AddLink("C:\\Menu\\Help.lnk", LinkTo("C:\\P\\Help.chm"));
  platform.ShellServices.FailLinkObjects();
  EXPECT_THROW(shell.CreateShortcut("C:\\Menu\\New.lnk", "C:\\P\\Help.chm"), EOSError);
  EXPECT_THROW(shell.GetShortcutTarget("C:\\Menu\\Help.lnk"), EOSError);
  EXPECT_FALSE(platform.Files.FileExists("C:\\Menu\\New.lnk"));
}

TEST_F(ShortcutsTest, ShortcutTargetIsEmptyForWhatIsNoReadableLink) {
  platform.ShellServices.AddLink("C:\\Menu\\Help.lnk", LinkTo("C:\\P\\Help.chm"));
  platform.ShellServices.AddLink("C:\\Menu\\Pathless.lnk", LinkTo(""));
  platform.Files.AddFile("C:\\Menu\\Broken.lnk", "not a link");
  EXPECT_EQ(shell.GetShortcutTarget("C:\\Menu\\Help.lnk"), "C:\\P\\Help.chm");
  EXPECT_EQ(shell.GetShortcutTarget("C:\\Menu\\Pathless.lnk"), "");
  EXPECT_EQ(shell.GetShortcutTarget("C:\\Menu\\Broken.lnk"), "");
  EXPECT_EQ(shell.GetShortcutTarget("C:\\Menu\\Missing.lnk"), "");
}

class RemoveShortcutsToTest : public ShortcutsTest {
 protected:
  void SetUp() override {
    ShortcutsTest::SetUp();
    auto& links = platform.ShellServices;
    links.AddLink("C:\\Menu\\Help.lnk", LinkTo("c:\\p\\help.chm"));
    links.AddLink("C:\\Menu\\Old Help.lnk", LinkTo("C:\\P\\HELP.CHM"));
    links.AddLink("C:\\Menu\\A Locked.lnk", LinkTo("C:\\P\\Help.chm"), kReadOnly);  // first in the listing
    links.AddLink("C:\\Menu\\Hidden.lnk", LinkTo("C:\\P\\Help.chm"), kHidden);
    links.AddLink("C:\\Menu\\System.lnk", LinkTo("C:\\P\\Help.chm"), kSystem);
    links.AddLink("C:\\Menu\\Other.lnk", LinkTo("C:\\P\\Other.chm"));
    links.AddLink("C:\\Menu\\Help.txt", LinkTo("C:\\P\\Help.chm"));
    links.AddLink("C:\\Menu\\Sub.lnk\\Help.lnk", LinkTo("C:\\P\\Help.chm"));
    platform.Files.AddFile("C:\\Menu\\Broken.lnk", "not a link");
  }

  std::vector<std::string> Left() {
    std::vector<std::string> names;
    for (const auto& path : platform.Files.AllPaths())
      if (path.size() > 8 && path.rfind("C:\\Menu\\", 0) == 0) names.push_back(path.substr(8));
    return names;
  }
};

TEST_F(RemoveShortcutsToTest, DeletesVisibleLinksToTheTargetUnderAnyName) {
  shell.RemoveShortcutsTo("C:\\Menu\\", "C:\\P\\Help.chm");
  EXPECT_EQ(Left(), (std::vector<std::string>{"A Locked.lnk", "Broken.lnk", "Help.txt", "Hidden.lnk", "Other.lnk",
                                              "Sub.lnk\\", "Sub.lnk\\Help.lnk", "System.lnk"}));
}

TEST_F(RemoveShortcutsToTest, AnEmptyTargetMatchesNothing) {
  const auto before = Left();
  shell.RemoveShortcutsTo("C:\\Menu\\", "");
  EXPECT_EQ(Left(), before);
}

TEST_F(RemoveShortcutsToTest, AMissingFolderHasNothingToRemove) {
  EXPECT_NO_THROW(shell.RemoveShortcutsTo("C:\\Nowhere\\", "C:\\P\\Help.chm"));
}

}  // namespace
