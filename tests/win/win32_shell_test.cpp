#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

#include "common/errors.h"
#include "common/path.h"
#include "common/text.h"
#include "win_test_folder.h"

namespace {

bool FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Polls a condition for up to a time limit.
bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 30000) {
  for (DWORD waited = 0; !condition(); waited += 50) {
    if (waited >= milliseconds) return false;
    Sleep(50);
  }
  return true;
}

TEST(Win32Shell, SpecialFoldersAreExistingFolders) {
  const struct {
    const char* Name;
    int Csidl;
  } folders[] = {
      {"Programs", CSIDL_PROGRAMS},         {"Desktop", CSIDL_DESKTOPDIRECTORY},
      {"AppData", CSIDL_APPDATA},           {"Program Files", CSIDL_PROGRAM_FILES},
      {"Common Files", CSIDL_PROGRAM_FILES_COMMON}, {"Personal", CSIDL_PERSONAL},
  };
  TWin32Shell shell;
  for (const auto& folder : folders) {
    SCOPED_TRACE(folder.Name);
    const auto path = shell.SpecialFolder(folder.Csidl);
    ASSERT_TRUE(path.has_value());
    ASSERT_GE(path->size(), 3u);
    EXPECT_EQ(path->substr(1, 2), ":\\") << *path;
    EXPECT_NE(path->back(), '\\') << *path;
    EXPECT_TRUE(FolderExists(*path)) << *path;
  }
  // The recycle bin is a shell folder without a file-system path.
  EXPECT_EQ(shell.SpecialFolder(CSIDL_BITBUCKET), std::nullopt);
}

TEST(Win32Shell, ALinkReadsBackWhatWasWritten) {
  TTestFolder folder;
  WriteTestFile(folder / "Tool.exe", "MZ");
  WriteTestFile(folder / "Help.chm", "ITSF");
  const TShellLink links[] = {
      {folder / "Tool.exe", folder.Path(), folder / "Tool.exe", 0},
      {folder / "Help.chm", folder.Path(), "C:\\windows\\system32\\shell32.dll", -102},
  };
  TWin32Shell shell;
  for (const TShellLink& written : links) {
    SCOPED_TRACE(written.Target);
    const std::string linkFile = folder / (FileBaseName(written.Target) + ".lnk");
    shell.WriteLink(linkFile, written);
    ASSERT_TRUE(FileExists(linkFile));
    TShellLink read;
    ASSERT_TRUE(shell.ReadLink(linkFile, read));
    EXPECT_EQ(read.Target, written.Target);
    EXPECT_EQ(read.WorkingFolder, written.WorkingFolder);
    EXPECT_EQ(read.IconFile, written.IconFile);
    EXPECT_EQ(read.IconIndex, written.IconIndex);
  }
}

TEST(Win32Shell, ALinkThatCannotBeSavedIsNotReported) {
  TTestFolder folder;
  TWin32Shell shell;
  const std::string linkFile = folder / "Missing\\Tool.lnk";
  EXPECT_NO_THROW(shell.WriteLink(linkFile, {folder / "Tool.exe", folder.Path(), folder / "Tool.exe", 0}));
  EXPECT_FALSE(FileExists(linkFile));
}

TEST(Win32Shell, WhatIsNoLinkDoesNotRead) {
  TTestFolder folder;
  WriteTestFile(folder / "text.lnk", "this is not a shell link");
  WriteTestFile(folder / "empty.lnk", "");
  CreateDirectoryA((folder / "folder.lnk").c_str(), nullptr);
  TWin32Shell shell;
  for (const char* name : {"absent.lnk", "text.lnk", "empty.lnk", "folder.lnk"}) {
    SCOPED_TRACE(name);
    TShellLink read{"unchanged", "", "", 7};
    EXPECT_FALSE(shell.ReadLink(folder / name, read));
    EXPECT_EQ(read.Target, "unchanged");
  }
}

TEST(Win32Shell, OpenStartsADocumentsProgramAndFailsForAMissingFile) {
  TTestFolder folder;
  TWin32Shell shell;
  EXPECT_FALSE(shell.Open(folder / "absent.txt", false, nullptr, ""));
  EXPECT_FALSE(shell.Open(folder / "absent.exe", true, nullptr, ""));

  // A batch file's default action runs it; it leaves a mark beside itself
  // naming the folder it runs in.
  WriteTestFile(folder / "run.bat", "@echo off\r\necho %CD%> \"%~dp0opened.txt\"\r\n");
  const std::string workFolder = folder / "Work";
  ASSERT_TRUE(CreateDirectoryA(workFolder.c_str(), nullptr));
  EXPECT_TRUE(shell.Open(folder / "run.bat", true, nullptr, workFolder + "\\"));
  EXPECT_TRUE(WaitFor([&] { return ReadTestFile(folder / "opened.txt").rfind(workFolder, 0) == 0; }))
      << ReadTestFile(folder / "opened.txt");
}

// Watches, on its own thread, for the dialog that the test's thread shows;
// once ready() holds it notes the texts of the dialog's controls and presses
// a button. When the wait takes too long it presses Cancel instead, so that
// a failing test ends rather than hangs.
class TDialogPresser {
 public:
  TDialogPresser(std::function<bool()> ready, int button)
      : owner_(GetCurrentThreadId()), ready_(std::move(ready)), button_(button), thread_([this] { Run(); }) {}
  ~TDialogPresser() { Join(); }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }
  bool TimedOut() const { return timedOut_; }
  // Whether a control of the dialog showed this text when the button was pressed.
  bool Showed(const std::string& text) const {
    for (const std::string& shown : texts_)
      if (SameText(shown, text)) return true;
    return false;
  }

 private:
  static BOOL CALLBACK FindDialog(HWND window, LPARAM data) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) != "#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(data) = window;
    return FALSE;
  }
  static BOOL CALLBACK NoteText(HWND control, LPARAM data) {
    char text[MAX_PATH + 1] = {};
    GetWindowTextA(control, text, sizeof text);
    reinterpret_cast<std::vector<std::string>*>(data)->push_back(text);
    return TRUE;
  }
  void Run() {
    HWND dialog = nullptr;
    const bool found = WaitFor([&] {
      EnumThreadWindows(owner_, FindDialog, reinterpret_cast<LPARAM>(&dialog));
      return dialog != nullptr;
    });
    if (!found) {
      timedOut_ = true;
      return;
    }
    timedOut_ = !WaitFor(ready_);
    EnumChildWindows(dialog, NoteText, reinterpret_cast<LPARAM>(&texts_));
    const int button = timedOut_ ? IDCANCEL : button_;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  }

  DWORD owner_;
  std::function<bool()> ready_;
  int button_;
  std::atomic<bool> timedOut_{false};
  std::vector<std::string> texts_;
  std::thread thread_;
};

constexpr unsigned kBrowseFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_NEWDIALOGSTYLE;

// A folder right below C:\ for the browser to start in. Wine's browser now
// and then stops short of a folder deep below the user's profile (at
// C:\users\<name>), so the test folder is kept near the root.
class TRootFolder {
 public:
  TRootFolder() : path_("C:\\SetupBrowserTest-" + std::to_string(GetCurrentProcessId())) {
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TRootFolder() { RemoveDirectoryA(path_.c_str()); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

TEST(Win32Shell, TheBrowserStartsAtTheGivenFolderAndReturnsIt) {
  TRootFolder folder;
  const std::string& initial = folder.Path();
  std::atomic<bool> initialSelected{false};
  TWin32Shell shell;
  TDialogPresser presser([&] { return initialSelected.load(); }, IDOK);
  const TBrowseOutcome outcome = shell.BrowseForFolder(
      nullptr, "Choose the folder", kBrowseFlags,
      [&](BrowserWindow& window, unsigned message, const std::optional<std::string>& selection) {
        if (message == browse_message::kInitialized) window.SetSelection(initial);
        if (message == browse_message::kSelChanged && selection) {
          window.SetStatusText(*selection);
          if (SameText(*selection, initial)) initialSelected = true;
        }
      });
  presser.Join();
  EXPECT_FALSE(presser.TimedOut());
  EXPECT_TRUE(presser.Showed(initial)) << "the status line shows the selected folder";
  EXPECT_TRUE(presser.Showed("Choose the folder"));
  EXPECT_TRUE(outcome.Chosen);
  ASSERT_TRUE(outcome.Path.has_value());
  EXPECT_TRUE(SameText(*outcome.Path, initial)) << *outcome.Path;
}

TEST(Win32Shell, CancellingTheBrowserChoosesNothing) {
  std::atomic<bool> initialized{false};
  TWin32Shell shell;
  TDialogPresser presser([&] { return initialized.load(); }, IDCANCEL);
  const TBrowseOutcome outcome =
      shell.BrowseForFolder(nullptr, "Choose", kBrowseFlags, [&](BrowserWindow&, unsigned message, const auto&) {
        if (message == browse_message::kInitialized) initialized = true;
      });
  presser.Join();
  EXPECT_FALSE(presser.TimedOut());
  EXPECT_FALSE(outcome.Chosen);
  EXPECT_EQ(outcome.Path, std::nullopt);
}

TEST(Win32Shell, AnErrorInTheBrowserCallbackComesOutAfterTheBrowserCloses) {
  std::atomic<int> calls{0};
  TWin32Shell shell;
  TDialogPresser presser([&] { return calls.load() > 0; }, IDOK);
  EXPECT_THROW(shell.BrowseForFolder(nullptr, "Choose", kBrowseFlags,
                                     [&](BrowserWindow&, unsigned, const auto&) {
                                       ++calls;
                                       throw EOSError("callback failed");
                                     }),
               EOSError);
  presser.Join();
  EXPECT_EQ(calls.load(), 1) << "no call after the first failure";
}

}  // namespace
