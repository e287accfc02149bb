// The texts the setup logic shows to the user, in one place. "\r" is a line
// break; "%s" takes the name the caller gives (see FormatMessageText).
#pragma once

#include <string>

namespace message {

// -- the uninstaller ------------------------------------------------------
inline constexpr const char* kUninstallRights =
    "You must have Administrator or Power User rights to uninstall %s.\r"
    "Please log on as a different user and try again.";
inline constexpr const char* kConfirmUninstall =
    "Are you sure you want to completely remove %s\rand all of its components?";
inline constexpr const char* kUninstallCompleted = "Uninstallation successfully completed.";
// The blank before the second line break belongs to the text.
inline constexpr const char* kUninstallItemsRemain =
    "Uninstallation successfully completed.\r\r"
    "Some items could not be removed. You should manually \r"
    "remove items related to %s.";
inline constexpr const char* kUninstallerTitleSuffix = " Uninstaller";

// -- the installation run -------------------------------------------------
inline constexpr const char* kNotEnoughSpace =
    "There is not enough space on the destination drive.\r"
    "Please free up some space and then try again";
// "%s" is the file's path.
inline constexpr const char* kFileInUse =
    "The file %s is being used by another program and cannot be replaced.\r\r"
    "Please close the program that uses it and click Retry, or click Cancel to stop the installation.";
inline constexpr const char* kStatusPreparing = "Preparing installation...";
inline constexpr const char* kStatusCopying = "Copying files...";
inline constexpr const char* kStatusInitializing = "Initializing components...";
inline constexpr const char* kStatusSettings = "Creating settings...";

}  // namespace message

// The text with its first "%s" replaced by name; a "%s" inside name stays as
// it is.
inline std::string FormatMessageText(const char* text, const std::string& name) {
  std::string result = text;
  const size_t at = result.find("%s");
  if (at != std::string::npos) result.replace(at, 2, name);
  return result;
}
