// The Windows shell: special folders, the folder browser, shell links and
// opening documents.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

using WindowHandle = void*;

struct TShellLink {
  std::string Target;
  std::string WorkingFolder;
  std::string IconFile;
  int32_t IconIndex = 0;
};

// The browser window as its callback sees it.
class BrowserWindow {
 public:
  virtual ~BrowserWindow() = default;
  // BFFM_SETSELECTIONA with a path.
  virtual void SetSelection(const std::string& path) = 0;
  // BFFM_SETSTATUSTEXTA.
  virtual void SetStatusText(const std::string& text) = 0;
};

namespace browse_message {
inline constexpr unsigned kInitialized = 1;  // BFFM_INITIALIZED
inline constexpr unsigned kSelChanged = 2;   // BFFM_SELCHANGED
}  // namespace browse_message

// Called for each browser message; selection is the file-system path of the
// new selection for kSelChanged (nullopt when it has none).
using BrowseCallback =
    std::function<void(BrowserWindow& window, unsigned message, const std::optional<std::string>& selection)>;

struct TBrowseOutcome {
  bool Chosen = false;               // false when cancelled
  std::optional<std::string> Path;   // the chosen item's file-system path, if it has one
};

class Shell {
 public:
  virtual ~Shell() = default;
  // The file-system path of a CSIDL folder; nullopt when the shell has none.
  virtual std::optional<std::string> SpecialFolder(int csidl) = 0;
  // The modal folder browser.
  virtual TBrowseOutcome BrowseForFolder(WindowHandle owner, const std::string& title, unsigned flags,
                                         const BrowseCallback& callback) = 0;
  // Writes a shell link; raises EOSError when the link object cannot be made.
  // Failures of the individual link calls and of the save are not reported.
  virtual void WriteLink(const std::string& linkFile, const TShellLink& link) = 0;
  // Reads a shell link; false when it cannot be loaded or its path not read.
  // Raises EOSError when the link object cannot be made.
  virtual bool ReadLink(const std::string& linkFile, TShellLink& link) = 0;
  // Opens a document or starts a program with its default action; a program
  // started with a working folder runs there (empty: the system's choice).
  virtual bool Open(const std::string& file, bool hidden, WindowHandle owner, const std::string& workingFolder) = 0;
};
