// The uninstaller engine: reads the uninstall record of the running copy,
// removes the recorded items last-first, and leaves its own executable and
// folders to a batch file that runs after the process has ended.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/program_version.h"
#include "platform/platform.h"

class TUninstaller {
 public:
  // Reads the record; its errors propagate.
  explicit TUninstaller(Platform& platform);

  bool Failed = false;                        // some item could not be removed
  std::vector<uint8_t> Data;                  // the record's data (the product name)
  std::vector<std::string> UninstallItems;    // in record order
  std::vector<std::string> DeferredFolders;   // for the batch file; the first is our own folder
  TProgramVersion Version;

  // Removes every item, the last recorded first; true when none failed.
  bool RemoveAll();
  // Writes "Uninstall.bat" into the temporary folder and starts it hidden; the
  // caller ends the process right afterwards.
  void StartSelfDelete();
  // The lines of the batch file, for the given batch file path.
  std::vector<std::string> SelfDeleteScript(const std::string& batchFile) const;

 private:
  void RemoveItem(char kind, const std::string& path);
  void RemoveFolder(const std::string& path);
  bool IsOwnFolderOrAncestor(const std::string& path) const;
  bool RemovedBefore(const std::string& path) const;

  Platform& platform_;
  std::string executablePath_;
  std::string executableFolder_;
  // What this run removed already: a record names a file once per bundle
  // item, and a folder the installation created also as "E" whenever a
  // subfolder was made in it, so the same path can come up again, and its
  // second removal fails without anything being wrong.
  //
  // Files are kept as the record gives them; folders with one trailing
  // backslash, whatever the record wrote ("D" and "E" items name a folder
  // with or without one). The two never meet: "C:\Prod\Data" (a file) and
  // "C:\Prod\Data" (a folder) are different entries, so a file that was
  // removed does not excuse a folder of the same name that could not be, nor
  // the other way round. Compared without regard to letter case, as Windows
  // names files.
  std::vector<std::string> removedPaths_;
};
