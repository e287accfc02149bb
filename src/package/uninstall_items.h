// The kinds of uninstall items: one letter each, followed by a path or a
// registry key path that begins with "\".
#pragma once

#include <string>

enum class UninstallKind {
  File = 0,            // "F": a file written by an extraction, or a shortcut file
  Folder = 1,          // "D": a folder the installation created
  FolderFiles = 2,     // "T": a folder whose files all go on removal
  CurrentUserKey = 3,  // "U": a key under HKEY_CURRENT_USER
  ClassesRootKey = 4,  // "C": a key under HKEY_CLASSES_ROOT
  MachineKey = 5,      // "M": a key under HKEY_LOCAL_MACHINE
  ExistingFolder = 6,  // "E": a folder that existed already
};

inline constexpr const char* kUninstallKindLetters = "FDTUCME";

inline std::string UninstallItem(UninstallKind kind, const std::string& text) {
  return std::string(1, kUninstallKindLetters[static_cast<int>(kind)]) + text;
}

// The key of the Windows list of installed programs.
inline constexpr const char* kUninstallRegistryKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
