// The folders an installation run creates, kept in the registry while the
// run goes on. The uninstall record that lists them is written only at the
// end; a run that is ended midway (a crash, a power cut, the task manager)
// leaves its folders behind, and the next run finds them there already and
// would take them for the user's. The journal tells that run which of them
// a setup made, so that its uninstaller removes them too.
#pragma once

#include <string>

class TSetupInstaller;

class TFolderJournal {
 public:
  // Records the folders of an earlier, unfinished run that still exist as
  // created by this run, and journals every folder this run creates.
  explicit TFolderJournal(TSetupInstaller& setup);
  ~TFolderJournal();
  TFolderJournal(const TFolderJournal&) = delete;
  TFolderJournal& operator=(const TFolderJournal&) = delete;

  // The run is complete and its record written: the journal goes.
  void Complete();

  // Below the version key in HKEY_LOCAL_MACHINE, which the uninstaller
  // removes as a whole.
  static constexpr const char* kKey = "Unfinished Setup";
  static constexpr const char* kValue = "CreatedFolders";

 private:
  void Write();

  TSetupInstaller& setup_;
  std::string keyPath_;
  std::string folders_;  // "|"-separated: no path holds that character
};
