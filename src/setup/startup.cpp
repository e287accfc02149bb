#include "setup/startup.h"

#include <new>

#include "common/errors.h"
#include "platform/platform.h"
#include "setup/run_mode.h"
#include "setuplogic/setup_installer.h"
#include "setuplogic/setup_uninstaller.h"

int RunSetupMode(Platform& platform) {
  platform.Boxes.SetTitle("Setup");
  try {
    TSetupInstaller installer(platform);
    platform.Boxes.Show(MessageKind::Information, installer.FullProductName() + "\rProduct version " +
                                                      installer.ProductVersion().VersionText());
  } catch (const Exception& error) {
    platform.Boxes.Show(MessageKind::Error, error.Message());
  }
  return 0;
}

int RunProgram(Platform& platform) {
  // Whatever escapes is reported the way an unhandled error is, with the
  // name of its class, and ends the program with exit code 1.
  try {
    if (IsUninstallerCopy(platform.Files)) return RunUninstallerMode(platform);
    return RunSetupMode(platform);
  } catch (const Exception& error) {
    platform.Boxes.ShowApplicationError(error.ClassName(), error.Message());
  } catch (const std::bad_alloc&) {
    platform.Boxes.ShowApplicationError("EOutOfMemory", "Out of memory");
  } catch (const std::exception& error) {
    platform.Boxes.ShowApplicationError("Exception", error.what());
  }
  return 1;
}
