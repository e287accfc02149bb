// The entry of the setup program and its uninstaller copy.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "common/display.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_resources.h"
#include "setup/startup.h"
#include "wizard/win32/win32_wizard_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  TWin32Platform win32;
  // Before any window or box exists, and before COM and the common controls
  // bring in libraries of their own: libraries named without a folder come
  // from the system folder only, then the process declares itself aware of
  // the screen's resolution, and the display font of the wizard is chosen.
  TDisplay display = StartProcess(win32.Libs, win32.Sys);
  // The shell's link object and folder browser need COM on this thread until
  // the process ends.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  Platform platform = win32.Bundle();
  TWin32Resources resources;
  TWin32WizardHost windows(win32.Sys);
  TWizardServices wizard{display, resources, windows};
  const int exitCode = RunProgram(platform, wizard);
  // At once: the uninstaller's batch file is waiting for this file to be free.
  ExitProcess(static_cast<UINT>(exitCode));
}
