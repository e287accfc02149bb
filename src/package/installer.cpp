#include "package/installer.h"

#include <algorithm>

#include "common/errors.h"
#include "common/path.h"
#include "common/shell_services.h"
#include "common/text.h"
#include "package/package_format.h"
#include "package/package_locator.h"
#include "package/pe_image.h"
#include "package/uninstall_record.h"

namespace {

// The parent of a folder path: one trailing backslash removed, then cut
// after the last backslash or drive colon (C:\A\B\ gives C:\A\).
std::string ParentFolder(const std::string& path) { return ExtractFilePath(ExcludeDelimiter(path)); }

// An uninstall entry's command matches our uninstaller whether or not it was
// written in quotes.
bool IsSameUninstaller(const std::string& command, const std::string& uninstallerPath) {
  std::string path = command;
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
  return SameText(path, uninstallerPath);
}

// The target of an extracted file as the inflater sees it: every block is
// passed on and reported.
class TReportingStream : public TStream {
 public:
  TReportingStream(TStream& target, const TInstaller::BytesWrittenHook& report) : target_(target), report_(report) {}
  size_t Read(void* buffer, size_t count) override { return target_.Read(buffer, count); }
  size_t Write(const void* buffer, size_t count) override {
    const size_t written = target_.Write(buffer, count);
    report_(written);
    return written;
  }
  int64_t Seek(int64_t offset, SeekOrigin origin) override { return target_.Seek(offset, origin); }

 private:
  TStream& target_;
  const TInstaller::BytesWrittenHook& report_;
};

}  // namespace

TInstaller::TInstaller(Platform& platform) : platform_(platform) {
  auto package = OpenPackage(platform_.Files);
  info_ = VerifyPackage(*package);
  DirectoryStart = info_.DirectoryStart;
  PackageFileDate = info_.PackageFileDate;
  Version = info_.Version;
}

int64_t TInstaller::GetComponentSize(const std::string& name) { return ExtractComponent(name, "", 0); }

int64_t TInstaller::ExtractComponent(const std::string& name, const std::string& folder, uint32_t fileDate) {
  if (fileDate == 0) fileDate = PackageFileDate;
  const std::string target = IncludeDelimiter(folder);
  auto package = OpenPackage(platform_.Files);
  TPackageEntry component;
  if (!FindComponent(*package, info_, name, component)) return 0;
  return ExtractEntries(*package, TPackageLevel(*package, component), target, fileDate);
}

int64_t TInstaller::ExtractEntries(TStream& package, TPackageLevel level, const std::string& folder,
                                   uint32_t fileDate) {
  ForceFolder(folder);
  int64_t total = 0;
  TPackageEntry entry;
  while (level.Next(entry)) {
    if (entry.Header.IsFolder()) {
      const std::string subfolder = folder.empty() ? std::string() : folder + entry.Header.Name + "\\";
      total += ExtractEntries(package, TPackageLevel(package, entry), subfolder, fileDate);
    } else if (folder.empty()) {
      total += entry.Header.Size;
    } else {
      ExtractFile(package, entry, folder + entry.Header.Name, fileDate);
    }
  }
  return total;
}

void TInstaller::ExtractFile(TStream& package, const TPackageEntry& entry, std::string path, uint32_t fileDate) {
  FileSystem& files = platform_.Files;
  if (OnExtractFile) OnExtractFile(*this, path);
  if (path.empty()) return;
  if (!Overwrite && files.FileExists(path)) return;
  {
    auto out = CreateReplacingReadOnly(path);
    if (OnBytesWritten) {
      TReportingStream reporting(*out, OnBytesWritten);
      InflateEntry(package, entry, reporting);
    } else {
      InflateEntry(package, entry, *out);
    }
    files.SetLastWriteTime(*out, fileDate);  // a date that cannot be set is no reason to stop
  }
  InstalledBytes += static_cast<uint64_t>(entry.Header.Size);
  AddUninstallItem(UninstallKind::File, path);
}

// Create first and ask why only when that fails. A file that another
// program holds open is tried again for as long as OnFileInUse answers so
// (the user closes the program and says Retry). A read-only file loses that
// attribute and is created once more. Any other cause, a second failure and
// a user who gives up raise the file layer's create error as it came. Most
// targets are new or writable, so the attribute is only looked at when the
// file cannot be made: one call less per file, thousands per setup.
std::unique_ptr<TStream> TInstaller::CreateReplacingReadOnly(const std::string& path) {
  FileSystem& files = platform_.Files;
  for (;;) {
    try {
      return files.Create(path);
    } catch (const EFCreateError& error) {
      if (error.InUse() && OnFileInUse && OnFileInUse(path)) continue;
      if (error.InUse()) throw;
      uint32_t attributes = 0;
      if (!files.GetAttributes(path, attributes) || (attributes & file_attribute::kReadOnly) == 0) throw;
      // A read-only file is replaced: its attribute goes, the others stay.
      files.SetAttributes(path, attributes & ~file_attribute::kReadOnly);
    }
    return files.Create(path);
  }
}

std::unique_ptr<TMemoryStream> TInstaller::ReadPackageFile(const std::string& name) {
  auto package = OpenPackage(platform_.Files);
  TPackageEntry file;
  if (!FindSupportFile(*package, info_, name, file)) return nullptr;
  auto content = std::make_unique<TMemoryStream>();
  InflateEntry(*package, file, *content);
  content->SetPosition(0);
  return content;
}

bool TInstaller::ForceFolder(const std::string& path) {
  if (path.empty()) return false;
  FileSystem& files = platform_.Files;
  if (files.FolderExists(path)) {
    AddUninstallItem(UninstallKind::ExistingFolder, path);
    return true;
  }
  const std::string parent = ParentFolder(path);
  if (parent != path) ForceFolder(parent);
  files.CreateFolder(path);
  if (!files.FolderExists(path)) return false;
  AddUninstallItem(UninstallKind::Folder, path);
  if (OnFolderCreated) OnFolderCreated(path);
  return true;
}

void TInstaller::AddUninstallItem(UninstallKind kind, const std::string& text) {
  UninstallItems.push_back(UninstallItem(kind, text));
}

void TInstaller::AddRegistryKey(RegistryRoot root, const std::string& keyPath) {
  switch (root) {
    case RegistryRoot::ClassesRoot:
      AddUninstallItem(UninstallKind::ClassesRootKey, keyPath);
      break;
    case RegistryRoot::CurrentUser:
      AddUninstallItem(UninstallKind::CurrentUserKey, keyPath);
      break;
    case RegistryRoot::LocalMachine:
      AddUninstallItem(UninstallKind::MachineKey, keyPath);
      break;
  }
}

void TInstaller::AddShortcut(const std::string& linkFile, const std::string& target) {
  TShellServices(platform_.ShellServices, platform_.Reg, platform_.Files).CreateShortcut(linkFile, target);
  AddUninstallItem(UninstallKind::File, linkFile);
}

void TInstaller::RegisterUninstaller(const std::string& uninstallerPath, const std::string& keyName,
                                     const std::string& displayName, const uint8_t* data, size_t count,
                                     const TUninstallEntryDetails& details) {
  AddUninstallItem(UninstallKind::MachineKey, kUninstallRegistryKey + keyName);
  WriteUninstallerCopy(uninstallerPath, data, count);
  RemoveStaleUninstallEntries(uninstallerPath);
  WriteUninstallEntry(keyName, displayName, uninstallerPath, details);
}

void TInstaller::WriteUninstallerCopy(const std::string& uninstallerPath, const uint8_t* data, size_t count) {
  FileSystem& files = platform_.Files;
  auto out = files.Create(uninstallerPath);
  auto executable = files.OpenRead(files.ExecutablePath());
  // The image ends where the package begins; with nothing appended it is the
  // whole file.
  int32_t imageSize = ReadHeaderWord(*executable, package_format::kPackageOffsetWord);
  if (imageSize <= 0) imageSize = static_cast<int32_t>(std::min<int64_t>(executable->Size(), INT32_MAX));

  // The headers are mended in memory before they are written: the run-mode
  // words, and a certificate table of a setup signed after packing, which the
  // copy does not carry and must not point to.
  std::vector<uint8_t> head(static_cast<size_t>(std::min<int32_t>(imageSize, 64 * 1024)));
  executable->SetPosition(0);
  executable->ReadBuffer(head.data(), head.size());
  if (head.size() >= package_format::kRunModeWord + 4) {
    StoreInt32(head.data() + package_format::kPackageOffsetWord, imageSize);
    StoreInt32(head.data() + package_format::kRunModeWord, package_format::kUninstallerRunMode);
  }
  if (auto directory = FindCertificateDirectory(head.data(), head.size())) {
    if (directory->TableSize != 0 &&
        uint64_t{directory->TableOffset} + directory->TableSize > static_cast<uint64_t>(imageSize)) {
      StoreUInt32(head.data() + directory->EntryOffset, 0);
      StoreUInt32(head.data() + directory->EntryOffset + 4, 0);
    }
  }
  out->WriteBuffer(head.data(), head.size());
  CopyStream(*executable, *out, imageSize - static_cast<int64_t>(head.size()));
  WriteUninstallRecord(*out, Version, UninstallItems, data, count);
  InstalledBytes += static_cast<uint64_t>(out->Position());
}

void TInstaller::RemoveStaleUninstallEntries(const std::string& uninstallerPath) {
  Registry& registry = platform_.Reg;
  auto list = registry.OpenKey(RegistryRoot::LocalMachine, kUninstallRegistryKey, KeyAccess::Read, false);
  if (!list) return;
  std::vector<std::string> names;
  try {
    names = list->SubKeyNames();
  } catch (const ERegistryException&) {
    return;
  }
  list.reset();
  for (const std::string& name : names) {
    try {
      const std::string keyPath = kUninstallRegistryKey + name;
      auto key = registry.OpenKey(RegistryRoot::LocalMachine, keyPath, KeyAccess::Read, false);
      if (!key) continue;
      const bool stale = IsSameUninstaller(key->ReadString("UninstallString"), uninstallerPath);
      key.reset();
      if (stale) registry.DeleteKey(RegistryRoot::LocalMachine, keyPath);
    } catch (const ERegistryException&) {
      // One unreadable entry does not stop the look at the others.
    }
  }
}

void TInstaller::WriteUninstallEntry(const std::string& keyName, const std::string& displayName,
                                     const std::string& uninstallerPath, const TUninstallEntryDetails& details) {
  try {
    auto key = platform_.Reg.OpenKey(RegistryRoot::LocalMachine, kUninstallRegistryKey + keyName, KeyAccess::Full,
                                     true);
    if (!key) return;
    key->WriteString("DisplayName", displayName);
    // In quotes, so that Windows cannot start C:\Program.exe for a path with
    // blanks.
    key->WriteString("UninstallString", "\"" + uninstallerPath + "\"");
    const std::pair<const char*, const std::string*> texts[] = {
        {"DisplayVersion", &details.DisplayVersion},
        {"InstallLocation", &details.InstallLocation},
        {"DisplayIcon", &details.DisplayIcon},
        {"Publisher", &details.Publisher},
    };
    for (const auto& [name, value] : texts)
      if (!value->empty()) key->WriteString(name, *value);
    // A DWORD of KiB, rounded up; what does not fit shows as the most it can.
    const uint64_t kib = (InstalledBytes + 1023) / 1024;
    key->WriteInteger("EstimatedSize", static_cast<int32_t>(std::min<uint64_t>(kib, INT32_MAX)));
    // Nothing but removal is offered: the list's Change and Repair buttons
    // would start the uninstaller too.
    key->WriteInteger("NoModify", 1);
    key->WriteInteger("NoRepair", 1);
  } catch (const ERegistryException&) {
  }
}
