// The uninstaller's dialogue: rights test, confirmation, removal, result,
// and the start of the self-deleting batch file. It has no window of its
// own; it talks through message boxes.
#pragma once

#include <memory>
#include <string>

#include "package/uninstaller.h"
#include "platform/platform.h"

class TSetupUninstaller {
 public:
  // Reads the uninstall record of the running copy; its errors propagate.
  explicit TSetupUninstaller(Platform& platform);

  std::string ProductName;  // the record's data as text
  std::unique_ptr<TUninstaller> Uninstaller;

  // The whole dialogue; returns when it is over (declined, refused or done).
  void RunUninstall();

 private:
  Platform& platform_;
};

// Start-up in uninstaller mode: builds the front end, sets the title, runs
// the dialogue and answers the exit code 0. Errors propagate to start-up's
// report of unhandled errors.
int RunUninstallerMode(Platform& platform);
