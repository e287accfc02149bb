// A test host for the installation run on the real Windows layer. Packed by
// setuppack as the stub of a setup, it plays the wizard's part without its
// window: it builds the setup logic from its package, makes the choices a
// user would make, and runs the installation, printing every progress call.
//
//   installation_host.exe folder=PATH [shortcuts=BITS] [vst=0|1] [vst3=0|1]
//                         [digi=0|1] [photoshop=0|1] [vstfolder=PATH]
//                         [digifolder=PATH] [photoshopfolder=PATH] [owner=NAME]
//                         [unselect=INDEX]...
//
// Started without arguments it is the setup program itself: the same
// start-up as Setup.exe, so the uninstaller copy that the run writes (a copy
// of this host) behaves exactly like the real Uninst.exe.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/display.h"
#include "common/errors.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_resources.h"
#include "setup/startup.h"
#include "wizard/win32/win32_wizard_window.h"
#include "setuplogic/setup_installer.h"

namespace {

class TPrintingProgress : public IInstallProgress {
 public:
  void SetProgress(int percent) override {
    std::printf("progress %d\n", percent);
    std::fflush(stdout);
  }
  // The copying's positions between milestones are not printed: the
  // tests compare the milestones, and the wizard's tests see the bar move.
  void SetCopyProgress(double) override {}
  void KeepResponsive() override {}
  void SetStatusText(const std::string& text) override {
    std::printf("status %s\n", text.c_str());
    std::fflush(stdout);
  }
};

bool Flag(const std::string& value) { return value != "0"; }

// Applies one name=value choice; false for one it does not know.
bool Choose(TSetupInstaller& setup, const std::string& name, const std::string& value) {
  if (name == "folder") setup.SetProgramFolder(value);
  else if (name == "shortcuts") setup.SelectedShortcuts = static_cast<unsigned>(std::atoi(value.c_str()));
  else if (name == "vst") setup.InstallVstPlugin = Flag(value);
  else if (name == "vst3") setup.InstallVst3Plugin = Flag(value);
  else if (name == "digi") setup.InstallDigiPlugin = Flag(value);
  else if (name == "photoshop") setup.InstallPhotoshopPlugin = Flag(value);
  else if (name == "vstfolder") setup.VstPluginFolder = value;
  else if (name == "digifolder") setup.DigiPluginFolder = value;
  else if (name == "photoshopfolder") setup.PhotoshopPluginFolder = value;
  else if (name == "owner") setup.OwnerName = value;
  else if (name == "unselect") setup.BundleItem(std::atoi(value.c_str())).Selected = false;
  else return false;
  return true;
}

int Install(Platform& platform, int argc, char** argv) {
  TSetupInstaller setup(platform);
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    const size_t equals = argument.find('=');
    if (equals == std::string::npos || !Choose(setup, argument.substr(0, equals), argument.substr(equals + 1))) {
      std::fprintf(stderr, "unknown choice: %s\n", argv[i]);
      return 2;
    }
  }
  TPrintingProgress progress;
  setup.Install(progress);
  std::printf("installed %s into %s\n", setup.FullProductName().c_str(), setup.ProgramFolder.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // The setup program's start-up in both roles, so that the [CallLibraries]
  // of an installation load under the restricted library search too.
  TWin32Platform win32;
  TDisplay display = StartProcess(win32.Libs, win32.Sys);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  Platform platform = win32.Bundle();
  if (argc == 1) {
    TWin32Resources resources;
    TWin32WizardHost windows(win32.Sys);
    TWizardServices wizard{display, resources, windows};
    return RunProgram(platform, wizard);
  }
  try {
    return Install(platform, argc, argv);
  } catch (const Exception& e) {
    std::printf("error %s: %s\n", e.ClassName(), e.Message().c_str());
    return 1;
  }
}
