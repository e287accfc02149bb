#include "setup/run_mode.h"

#include "package/package_format.h"
#include "package/package_locator.h"
#include "platform/file_system.h"

bool IsUninstallerCopy(FileSystem& files) {
  auto executable = files.OpenRead(files.ExecutablePath());
  return ReadHeaderWord(*executable, package_format::kRunModeWord) == package_format::kUninstallerRunMode;
}
