#include "common/shell_services.h"

#include "common/errors.h"
#include "common/file_enumerator.h"
#include "common/integer_text.h"
#include "common/path.h"
#include "common/text.h"
#include "platform/platform.h"

namespace {

constexpr const char* kCurrentVersionKey = "\\Software\\Microsoft\\Windows\\CurrentVersion";

}  // namespace

void HandleBrowseMessage(BrowserWindow& window, unsigned message, const std::optional<std::string>& selection,
                         const std::string& initialFolder) {
  if (message == browse_message::kInitialized) {
    // The browser does not find a folder given with its trailing backslash.
    window.SetSelection(ExcludeDelimiter(initialFolder));
  } else if (message == browse_message::kSelChanged && selection) {
    window.SetStatusText(*selection);
  }
}

TShellServices::TShellServices(Shell& shell, Registry& registry, FileSystem& files)
    : shell_(shell), registry_(registry), files_(files) {}

TShellServices::TShellServices(const Platform& platform)
    : TShellServices(platform.ShellServices, platform.Reg, platform.Files) {}

std::string TShellServices::GetSpecialFolder(SpecialFolderKind kind) {
  return shell_.SpecialFolder(SpecialFolderCsidl(kind)).value_or(std::string());
}

std::string TShellServices::FolderWithFallback(SpecialFolderKind kind, const char* valueName,
                                               const char* defaultFolder) {
  std::string result = GetSpecialFolder(kind);
  if (!result.empty()) return result;
  result = defaultFolder;
  try {
    if (auto key = registry_.OpenKey(RegistryRoot::LocalMachine, kCurrentVersionKey, KeyAccess::Read, false))
      result = key->ReadString(valueName);
  } catch (const ERegistryException&) {
    // The registry only refines the default; a value of the wrong type does not count.
  }
  return result;
}

std::string TShellServices::GetProgramFilesFolder() {
  return FolderWithFallback(SpecialFolderKind::ProgramFiles, "ProgramFilesDir", "C:\\Program Files");
}

std::string TShellServices::GetCommonFilesFolder() {
  return FolderWithFallback(SpecialFolderKind::CommonFiles, "CommonFilesDir", "C:\\Program Files\\Common Files");
}

std::string TShellServices::GetApplicationDataFolder() {
  std::string result = GetSpecialFolder(SpecialFolderKind::AppData);
  return result.empty() ? GetProgramFilesFolder() : result;
}

std::string TShellServices::GetDocumentsFolder() {
  std::string result = GetSpecialFolder(SpecialFolderKind::Documents);
  return result.empty() ? std::string("C:\\My Documents") : result;
}

std::string TShellServices::BrowseForFolder(WindowHandle owner, const std::string& title,
                                            const std::string& initialFolder) {
  const TBrowseOutcome outcome = shell_.BrowseForFolder(
      owner, title, kBrowseFolderFlags,
      [&initialFolder](BrowserWindow& window, unsigned message, const std::optional<std::string>& selection) {
        HandleBrowseMessage(window, message, selection, initialFolder);
      });
  if (!outcome.Chosen || !outcome.Path) return initialFolder;
  return *outcome.Path;
}

void TShellServices::CreateShortcut(const std::string& linkFile, const std::string& target) {
  const TIconLocation icon = GetDefaultIcon(target);
  TShellLink link;
  link.Target = target;
  link.WorkingFolder = ExtractFilePath(target);
  link.IconFile = icon.File;
  link.IconIndex = icon.Index;
  shell_.WriteLink(linkFile, link);
}

std::string TShellServices::GetShortcutTarget(const std::string& linkFile) {
  TShellLink link;
  return shell_.ReadLink(linkFile, link) ? link.Target : std::string();
}

TIconLocation TShellServices::GetDefaultIcon(const std::string& file) {
  TIconLocation icon{file, 0};
  const std::string extension = ExtractFileExt(file);
  // A file without an extension has no type: looking one up would read the
  // root of HKEY_CLASSES_ROOT instead.
  if (extension.empty() || SameText(extension, ".ico") || SameText(extension, ".exe")) return icon;
  try {
    std::string typeName;
    {
      auto key = registry_.OpenKey(RegistryRoot::ClassesRoot, "\\" + extension, KeyAccess::Read, false);
      if (!key) return icon;
      typeName = key->ReadString("");
    }
    if (typeName.empty()) return icon;  // an extension without a type, the same root hazard
    auto key = registry_.OpenKey(RegistryRoot::ClassesRoot, "\\" + typeName + "\\DefaultIcon", KeyAccess::Read, false);
    if (!key) return icon;
    icon.File = Trim(key->ReadString(""));
    const size_t comma = icon.File.find(',');
    if (comma != std::string::npos) {
      int32_t index = 0;
      // Text after the comma that is no number leaves the whole text as the file.
      if (!TryParseInteger(Trim(icon.File.substr(comma + 1)), index)) return icon;
      icon.Index = index;
      icon.File.resize(comma);
    }
  } catch (const ERegistryException&) {
    // The icon is a nicety; the file itself will do.
  }
  return icon;
}

void TShellServices::RemoveShortcutsTo(const std::string& folder, const std::string& target) {
  // An unreadable shortcut answers an empty target; an empty target must not
  // make every such shortcut a match.
  if (target.empty()) return;
  TFileEnumerator links(files_, JoinPath(folder, "*.lnk"), file_attribute::kReadOnly | file_attribute::kArchive);
  while (links.Next()) {
    const std::string link = JoinPath(folder, links.Name());
    if (SameText(GetShortcutTarget(link), target)) files_.RemoveFile(link);
  }
}
