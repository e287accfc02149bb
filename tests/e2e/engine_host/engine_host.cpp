// A test host for the engines on the real Windows layer, without any user
// interface. Packed by setuppack as the stub of a setup, it installs:
//
//   engine_host.exe FOLDER KEYNAME
//     extracts the components Main into FOLDER and Plugin into FOLDER\Plugins,
//     writes a registry value below HKCU\Software\Engine Test and records the
//     key, creates a Start-menu shortcut to FOLDER\Main.txt, and registers the
//     uninstaller FOLDER\Uninst.exe under KEYNAME.
//
// The uninstaller copy it writes is itself: started, it reads its record,
// removes everything, prints the outcome and starts the self-deleting batch
// file.
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <string>

#include "common/errors.h"
#include "common/shell_services.h"
#include "package/installer.h"
#include "package/uninstaller.h"
#include "platform/win32/win32_platform.h"
#include "setup/run_mode.h"

namespace {

int Install(Platform& platform, const std::string& folder, const std::string& keyName) {
  TInstaller installer(platform);
  installer.ExtractComponent("Main", folder, 0);
  installer.ExtractComponent("Plugin", folder + "\\Plugins", 0);

  const std::string key = "\\Software\\Engine Test\\" + keyName;
  auto settings = platform.Reg.OpenKey(RegistryRoot::CurrentUser, key, KeyAccess::Full, true);
  if (!settings) throw Exception("cannot create HKCU" + key);
  settings->WriteString("Folder", folder);
  settings->WriteInteger("Count", 3);
  settings.reset();
  installer.AddRegistryKey(RegistryRoot::CurrentUser, "\\Software\\Engine Test");

  TShellServices shell(platform);
  const std::string programs = shell.GetSpecialFolder(SpecialFolderKind::Programs);
  installer.AddShortcut(programs + "\\" + keyName + ".lnk", folder + "\\Main.txt");

  const std::string name = "Engine Test";
  installer.RegisterUninstaller(folder + "\\Uninst.exe", keyName, keyName + " display",
                                reinterpret_cast<const uint8_t*>(name.data()), name.size());
  std::printf("installed %zu items\n", installer.UninstallItems.size());
  return 0;
}

int Uninstall(Platform& platform) {
  TUninstaller uninstaller(platform);
  const bool ok = uninstaller.RemoveAll();
  std::printf("removed: %s, %s\n", ok ? "all" : "not all",
              std::string(uninstaller.Data.begin(), uninstaller.Data.end()).c_str());
  uninstaller.StartSelfDelete();
  return ok ? 0 : 3;
}

}  // namespace

int main(int argc, char** argv) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  TWin32Platform win32;
  Platform platform = win32.Bundle();
  try {
    if (IsUninstallerCopy(platform.Files)) return Uninstall(platform);
    if (argc != 3) {
      std::fprintf(stderr, "usage: engine_host FOLDER KEYNAME\n");
      return 2;
    }
    return Install(platform, argv[1], argv[2]);
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s: %s\n", e.ClassName(), e.Message().c_str());
    return 1;
  }
}
