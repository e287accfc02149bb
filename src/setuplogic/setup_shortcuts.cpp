#include "setuplogic/setup_shortcuts.h"

#include <cstddef>

#include "common/path.h"
#include "common/shell_services.h"
#include "common/text.h"
#include "package/uninstall_items.h"
#include "setuplogic/setup_ini_schema.h"
#include "setuplogic/setup_installer.h"

namespace {

// The folder an entry's location stands for, when the user chose it; empty
// otherwise. The keys match exactly, as written.
std::string ShortcutFolder(TSetupInstaller& setup, TShellServices& shell, const std::string& location) {
  if (location == setup_ini::kStartMenuLocation && (setup.SelectedShortcuts & setup_shortcut::kStartMenu) != 0)
    return shell.GetSpecialFolder(SpecialFolderKind::Programs);
  if (location == setup_ini::kDesktopLocation && (setup.SelectedShortcuts & setup_shortcut::kDesktop) != 0)
    return shell.GetSpecialFolder(SpecialFolderKind::DesktopFolder);
  return "";
}

// Makes the subfolder a link title names, below the Start menu's or the
// desktop's folder. It is made through the engine, so that it is recorded
// and goes again with the last shortcut in it. The engine also records the
// folder it was made in as one that existed, to be removed when empty; the
// user's Start menu and desktop are not ours to remove, even empty (Wine's
// desktop is), so that record is dropped.
bool MakeShortcutSubfolder(TInstaller& engine, const std::string& baseFolder, const std::string& subfolder) {
  const size_t firstNew = engine.UninstallItems.size();
  const bool made = engine.ForceFolder(subfolder);
  const std::string base = IncludeDelimiter(baseFolder);
  auto& items = engine.UninstallItems;
  for (size_t i = items.size(); i > firstNew; --i) {
    const std::string& item = items[i - 1];
    const std::string path = IncludeDelimiter(item.substr(1));
    const bool baseOrAbove = path.size() <= base.size() && SameText(path, base.substr(0, path.size()));
    if (item[0] == kUninstallKindLetters[static_cast<int>(UninstallKind::ExistingFolder)] && baseOrAbove)
      items.erase(items.begin() + static_cast<std::ptrdiff_t>(i - 1));
  }
  return made;
}

}  // namespace

void CreateShortcuts(TSetupInstaller& setup) {
  TShellServices shell(setup.PlatformServices());
  TInstaller& engine = setup.Engine();
  for (const TListEntry& entry : setup.Shortcuts) {
    const std::string folder = ExcludeDelimiter(ShortcutFolder(setup, shell, entry.Name));
    if (folder.empty()) continue;

    std::string title, target;
    const size_t comma = entry.Value.find(',');
    if (comma == std::string::npos) {
      title = FileBaseName(entry.Value);
      target = entry.Value;
    } else {
      title = Trim(setup.ExpandText(entry.Value.substr(comma + 1)));
      target = Trim(entry.Value.substr(0, comma));
    }
    const std::string link = folder + "\\" + title + ".lnk";
    target = setup.ExpandPath(target, nullptr);
    if (target.empty()) continue;

    // A title such as "Vendor\Tool" puts the link into a subfolder; one
    // that cannot be made gets no link rather than a recorded link that
    // is not there.
    const std::string linkFolder = ExtractFilePath(link);
    if (!SameText(linkFolder, folder + "\\") && !MakeShortcutSubfolder(engine, folder, linkFolder)) continue;

    shell.RemoveShortcutsTo(linkFolder, target);
    engine.AddShortcut(link, target);
  }
}
