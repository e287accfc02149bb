#include "setup/startup.h"

#include <new>

#include "common/display.h"
#include "common/errors.h"
#include "platform/platform.h"
#include "setup/run_mode.h"
#include "setuplogic/setup_uninstaller.h"
#include "wizard/main_form.h"
#include "wizard/wizard_window.h"

TDisplay StartProcess(Libraries& libraries, System& system) {
  libraries.RestrictSearchToSystemFolder();
  return TDisplay(libraries, system);
}

int RunSetupMode(Platform& platform, TWizardServices& wizard) {
  platform.Boxes.SetTitle("Setup");
  std::unique_ptr<WizardWindow> window = wizard.Windows.CreateWizardWindow();
  TMainForm form(platform, wizard.Display, wizard.Texts, *window);
  window->Connect(form);
  form.FormCreate();
  window->Run();
  return 0;
}

int RunProgram(Platform& platform, TWizardServices& wizard) {
  // Whatever escapes is reported the way an unhandled error is, with the
  // name of its class, and ends the program with exit code 1.
  try {
    if (IsUninstallerCopy(platform.Files)) return RunUninstallerMode(platform);
    return RunSetupMode(platform, wizard);
  } catch (const Exception& error) {
    platform.Boxes.ShowApplicationError(error.ClassName(), error.Message());
  } catch (const std::bad_alloc&) {
    platform.Boxes.ShowApplicationError("EOutOfMemory", "Out of memory");
  } catch (const std::exception& error) {
    platform.Boxes.ShowApplicationError("Exception", error.what());
  }
  return 1;
}
