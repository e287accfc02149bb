// The package installer engine: verifies the package when it is made, measures
// and extracts components, hands out support files, records everything it
// creates, and at the end writes the uninstaller copy with its record and the
// entry in the Windows list of installed programs.
//
// It knows nothing of settings or symbols: it is given names, folders and
// paths that are already expanded.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/program_version.h"
#include "common/stream.h"
#include "package/package_reader.h"
#include "package/uninstall_items.h"
#include "platform/platform.h"

// What Windows' list of installed programs shows of the product beside its
// name; an empty text is not written.
struct TUninstallEntryDetails {
  std::string DisplayVersion;
  std::string InstallLocation;
  std::string DisplayIcon;
  std::string Publisher;
};

class TInstaller {
 public:
  // Called before a file is written, with the target path; may change it or
  // make it empty to skip the file.
  using ExtractFileHook = std::function<void(TInstaller& installer, std::string& path)>;
  // Called when a file cannot be replaced because another program holds it
  // open; true tries again, false gives up with the create error.
  using FileInUseHook = std::function<bool(const std::string& path)>;
  // Called for every block of an extracted file as it is written, with the
  // block's size.
  using BytesWrittenHook = std::function<void(uint64_t bytes)>;
  // Called for every folder the installer creates, once it is recorded.
  using FolderCreatedHook = std::function<void(const std::string& path)>;

  // Opens and verifies the package; its errors propagate.
  explicit TInstaller(Platform& platform);

  int64_t DirectoryStart = 0;
  uint32_t PackageFileDate = 0;              // the default date of extracted files
  std::vector<std::string> UninstallItems;   // recorded so far, in order
  ExtractFileHook OnExtractFile;
  FileInUseHook OnFileInUse;
  BytesWrittenHook OnBytesWritten;
  FolderCreatedHook OnFolderCreated;
  bool Overwrite = true;                     // false: existing files stay untouched
  uint64_t InstalledBytes = 0;               // of the files written so far, the uninstaller included
  TProgramVersion Version;

  // Total inflated size of the component's files, nested folders included; 0
  // when there is no such component.
  int64_t GetComponentSize(const std::string& name);
  // Extracts the component into folder, every file dated fileDate (0: the
  // package's date). With an empty folder it only measures and answers the
  // size; otherwise it answers 0. An unknown component does nothing at all.
  int64_t ExtractComponent(const std::string& name, const std::string& folder, uint32_t fileDate);
  // The top-level file of that name inflated into a new stream at position 0;
  // nullptr when the package has none.
  std::unique_ptr<TMemoryStream> ReadPackageFile(const std::string& name);
  // Makes sure the folder exists, parents first, recording "E" for each
  // folder that was there and "D" for each one it created.
  bool ForceFolder(const std::string& path);
  void AddUninstallItem(UninstallKind kind, const std::string& text);
  // Records a registry key for removal; roots other than the three known
  // ones record nothing.
  void AddRegistryKey(RegistryRoot root, const std::string& keyPath);
  // Creates a shortcut and records its link file.
  void AddShortcut(const std::string& linkFile, const std::string& target);
  // Writes the uninstaller copy with the record of everything created and the
  // Windows uninstall entry for it: the name and the command, the details
  // given, the size of what was installed ("EstimatedSize", KiB) and that
  // the product can be neither modified nor repaired from the list.
  void RegisterUninstaller(const std::string& uninstallerPath, const std::string& keyName,
                           const std::string& displayName, const uint8_t* data, size_t count,
                           const TUninstallEntryDetails& details = {});

 private:
  int64_t ExtractEntries(TStream& package, TPackageLevel level, const std::string& folder, uint32_t fileDate);
  void ExtractFile(TStream& package, const TPackageEntry& entry, std::string path, uint32_t fileDate);
  // Creates or replaces the file; an existing read-only file loses that
  // attribute first, and a file in use is tried again while OnFileInUse
  // says so.
  std::unique_ptr<TStream> CreateReplacingReadOnly(const std::string& path);
  void WriteUninstallerCopy(const std::string& uninstallerPath, const uint8_t* data, size_t count);
  void RemoveStaleUninstallEntries(const std::string& uninstallerPath);
  void WriteUninstallEntry(const std::string& keyName, const std::string& displayName,
                           const std::string& uninstallerPath, const TUninstallEntryDetails& details);

  Platform& platform_;
  TPackageInfo info_;
};
