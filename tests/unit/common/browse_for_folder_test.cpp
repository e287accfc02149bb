#include <gtest/gtest.h>

#include "common/shell_services.h"
#include "test_platform.h"

namespace {

using Calls = std::vector<TBrowserCall>;

TBrowserCall Selection(const std::string& path) { return {TBrowserCall::SetSelection, path}; }
TBrowserCall Status(const std::string& text) { return {TBrowserCall::SetStatusText, text}; }

TEST(BrowseForFolder, AsksForFileSystemFoldersWithAStatusLineInTheNewDialog) {
  TTestPlatform platform;
  TShellServices shell(platform.Bundle());
  int window = 0;
  shell.BrowseForFolder(&window, "Select the VST plug-in folder:", "C:\\VST");
  ASSERT_EQ(platform.ShellServices.BrowseRequests().size(), 1u);
  const TBrowseRequest& request = platform.ShellServices.BrowseRequests()[0];
  EXPECT_EQ(request.Owner, &window);
  EXPECT_EQ(request.Title, "Select the VST plug-in folder:");
  EXPECT_EQ(request.Flags, 0x45u);
}

TEST(BrowseForFolder, ResultAndWhatTheBrowserIsTold) {
  struct Case {
    const char* what;
    const char* initial;
    TBrowseScript user;
    const char* expected;
    Calls calls;
  };
  const Case cases[] = {
      {"cancel keeps the backslash", "C:\\Program Files\\Foo\\", TBrowseScript::Cancel(), "C:\\Program Files\\Foo\\",
       {Selection("C:\\Program Files\\Foo")}},
      {"a drive root", "C:\\", TBrowseScript::Cancel(), "C:\\", {Selection("C:")}},
      {"no initial folder", "", TBrowseScript::Cancel(), "", {Selection("")}},
      {"a chosen folder", "D:\\Apps", TBrowseScript::Choose("E:\\New Folder"), "E:\\New Folder",
       {Selection("D:\\Apps"), Status("E:\\New Folder")}},
      {"an item without a path", "D:\\Apps\\", TBrowseScript::ChooseItemWithoutPath(), "D:\\Apps\\",
       {Selection("D:\\Apps")}},
      {"the status line follows folders and stays on other items", "D:\\Apps",
       {{"E:\\One", std::nullopt, "E:\\Two"}, {false, std::nullopt}}, "D:\\Apps",
       {Selection("D:\\Apps"), Status("E:\\One"), Status("E:\\Two")}},
  };
  for (const auto& c : cases) {
    TTestPlatform platform;
    TShellServices shell(platform.Bundle());
    platform.ShellServices.ScriptBrowse(c.user);
    EXPECT_EQ(shell.BrowseForFolder(nullptr, "Title", c.initial), c.expected) << c.what;
    EXPECT_EQ(platform.ShellServices.BrowserCalls(), c.calls) << c.what;
  }
}

// The browser's other notifications (such as a failed validation) need nothing.
TEST(HandleBrowseMessage, IgnoresOtherMessages) {
  class : public BrowserWindow {
   public:
    void SetSelection(const std::string&) override { ++count; }
    void SetStatusText(const std::string&) override { ++count; }
    int count = 0;
  } window;
  for (unsigned message : {0u, 3u, 4u, 5u}) HandleBrowseMessage(window, message, std::string("C:\\X"), "C:\\Y");
  EXPECT_EQ(window.count, 0);
}

}  // namespace
