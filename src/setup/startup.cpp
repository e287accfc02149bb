#include "setup/startup.h"

#include "common/errors.h"
#include "package/package_locator.h"
#include "package/package_reader.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "setup/run_mode.h"

int RunSetupMode(FileSystem& files, Dialogs& dialogs) {
  dialogs.SetTitle("Setup");
  try {
    auto package = OpenPackage(files);
    const TPackageInfo info = VerifyPackage(*package);
    package.reset();
    dialogs.Show(MessageKind::Information, "The setup package is intact.\rProduct version " +
                                               info.Version.VersionText());
  } catch (const Exception& error) {
    dialogs.Show(MessageKind::Error, error.Message());
  }
  return 0;
}

int RunProgram(FileSystem& files, Dialogs& dialogs) {
  try {
    if (IsUninstallerCopy(files)) return 0;
    return RunSetupMode(files, dialogs);
  } catch (const Exception& error) {
    dialogs.ShowApplicationError(error.ClassName(), error.Message());
    return 1;
  }
}
