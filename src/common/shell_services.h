// The setup program's dealings with the Windows shell: where the well-known
// folders are, the folder browser, and shortcuts to installed files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/shell_folder_kinds.h"
#include "platform/shell.h"

class FileSystem;
class Registry;
struct Platform;

// Where a shortcut takes its icon from.
struct TIconLocation {
  std::string File;
  int32_t Index = 0;
  bool operator==(const TIconLocation&) const = default;
};

// The folder browser's flags: file-system folders only, a status line, the
// resizable dialog with a "Make New Folder" button.
inline constexpr unsigned kBrowseFolderFlags = 0x45;

// Handles one message of the folder browser opened by BrowseForFolder: on
// start it selects the initial folder (without its trailing backslash); on a
// change of selection it shows the selected folder's path in the status line,
// and leaves the line alone when the selection has no path.
void HandleBrowseMessage(BrowserWindow& window, unsigned message, const std::optional<std::string>& selection,
                         const std::string& initialFolder);

// Holds no state of its own: every call asks the shell, the registry and the
// file system afresh.
class TShellServices {
 public:
  TShellServices(Shell& shell, Registry& registry, FileSystem& files);
  explicit TShellServices(const Platform& platform);

  // The folder's path as the shell gives it; empty when it has none.
  std::string GetSpecialFolder(SpecialFolderKind kind);
  // The shell's folder; else the "ProgramFilesDir" value below HKLM
  // \Software\Microsoft\Windows\CurrentVersion (empty when the key lacks it);
  // else, when that key cannot be read, "C:\Program Files".
  std::string GetProgramFilesFolder();
  // The same with "CommonFilesDir" and "C:\Program Files\Common Files".
  std::string GetCommonFilesFolder();
  // The shell's application-data folder, else the Program Files folder.
  std::string GetApplicationDataFolder();
  // The shell's documents folder, else "C:\My Documents".
  std::string GetDocumentsFolder();

  // The modal folder browser over owner, starting at initialFolder. The chosen
  // folder, or initialFolder unchanged when the user cancels or picks an item
  // without a file-system path.
  std::string BrowseForFolder(WindowHandle owner, const std::string& title, const std::string& initialFolder);

  // Writes linkFile as a shortcut to target, working in the target's folder,
  // with GetDefaultIcon's icon. Raises EOSError when the shell cannot make a
  // link; a failed save goes unnoticed.
  void CreateShortcut(const std::string& linkFile, const std::string& target);
  // The path a shortcut opens; empty when it cannot be read or has none.
  // Raises EOSError when the shell cannot make a link.
  std::string GetShortcutTarget(const std::string& linkFile);
  // The icon a shortcut to file shows: .exe and .ico files and files of an
  // unknown type are their own icon (index 0); otherwise the DefaultIcon of
  // the file's type below HKEY_CLASSES_ROOT. Registry failures end the look-up
  // with what was found so far.
  TIconLocation GetDefaultIcon(const std::string& file);
  // Deletes every visible shortcut directly in folder whose target is target
  // (letter case aside), whatever its name. Failed deletions are ignored.
  void RemoveShortcutsTo(const std::string& folder, const std::string& target);

 private:
  std::string FolderWithFallback(SpecialFolderKind kind, const char* valueName, const char* defaultFolder);

  Shell& shell_;
  Registry& registry_;
  FileSystem& files_;
};
