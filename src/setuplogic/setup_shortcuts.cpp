#include "setuplogic/setup_shortcuts.h"

#include "common/path.h"
#include "common/shell_services.h"
#include "common/text.h"
#include "setuplogic/setup_installer.h"

namespace {

// The folder an entry's location stands for, when the user chose it; empty
// otherwise. The keys match exactly, as written.
std::string ShortcutFolder(TSetupInstaller& setup, TShellServices& shell, const std::string& location) {
  if (location == "StartMenu" && (setup.SelectedShortcuts & setup_shortcut::kStartMenu) != 0)
    return shell.GetSpecialFolder(SpecialFolderKind::Programs);
  if (location == "Desktop" && (setup.SelectedShortcuts & setup_shortcut::kDesktop) != 0)
    return shell.GetSpecialFolder(SpecialFolderKind::DesktopFolder);
  return "";
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

    // A title such as "Vendor\Tool" puts the link into a subfolder of the
    // Start menu. The subfolder is made through the engine, so that it is
    // recorded and goes again with the last shortcut in it.
    const std::string linkFolder = ExtractFilePath(link);
    if (!SameText(linkFolder, folder + "\\") && !engine.ForceFolder(linkFolder)) continue;

    shell.RemoveShortcutsTo(linkFolder, target);
    engine.AddShortcut(link, target);
  }
}
