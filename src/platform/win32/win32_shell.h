// The Windows shell: special folders, the folder browser, shell links through
// the shell's link object, and ShellExecute. The thread must have initialised
// COM apartment-threaded (the program does so at start-up).
#pragma once

#include "platform/shell.h"

class TWin32Shell : public Shell {
 public:
  // Folders come without a trailing backslash, except a drive root.
  std::optional<std::string> SpecialFolder(int csidl) override;
  // An exception that the callback raises ends its calls; it is raised again
  // once the browser has closed, since it cannot pass through the shell.
  TBrowseOutcome BrowseForFolder(WindowHandle owner, const std::string& title, unsigned flags,
                                 const BrowseCallback& callback) override;
  void WriteLink(const std::string& linkFile, const TShellLink& link) override;
  bool ReadLink(const std::string& linkFile, TShellLink& link) override;
  // The default verb; hidden starts the program with SW_HIDE.
  bool Open(const std::string& file, bool hidden, WindowHandle owner, const std::string& workingFolder) override;
};
