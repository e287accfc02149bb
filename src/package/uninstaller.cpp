#include "package/uninstaller.h"

#include <algorithm>

#include "common/errors.h"
#include "common/file_enumerator.h"
#include "common/path.h"
#include "common/text.h"
#include "package/uninstall_record.h"

namespace {

// A path as cmd reads it inside double quotes: only "%" is still special.
std::string BatchQuoted(const std::string& path) { return "\"" + ReplaceAll(path, "%", "%%") + "\""; }

}  // namespace

TUninstaller::TUninstaller(Platform& platform) : platform_(platform) {
  executablePath_ = platform_.Files.ExecutablePath();
  executableFolder_ = ExtractFilePath(executablePath_);
  DeferredFolders.push_back(executableFolder_);
  auto stream = OpenUninstallRecord(platform_.Files);
  TUninstallRecord record = ReadUninstallRecord(*stream);
  Version = record.Version;
  UninstallItems = std::move(record.Items);
  Data = std::move(record.Data);
}

bool TUninstaller::RemoveAll() {
  Failed = false;
  removedPaths_.clear();
  for (auto it = UninstallItems.rbegin(); it != UninstallItems.rend(); ++it)
    if (!it->empty()) RemoveItem((*it)[0], it->substr(1));
  return !Failed;
}

void TUninstaller::RemoveItem(char kind, const std::string& path) {
  FileSystem& files = platform_.Files;
  switch (kind) {
    case 'F':
      if (files.RemoveFile(path))
        removedPaths_.push_back(path);
      else if (!(RemovedBefore(path) && !files.FileExists(path)))
        Failed = true;
      break;
    case 'D':
      RemoveFolder(path);
      break;
    case 'T': {
      TFileEnumerator entries(files, IncludeDelimiter(path) + "*.*", file_attribute::kAny);
      while (entries.Next())
        if (!entries.HasAttribute(file_attribute::kDirectory)) files.RemoveFile(IncludeDelimiter(path) + entries.Name());
      RemoveFolder(path);
      break;
    }
    case 'E':
      if (files.RemoveFolder(path)) removedPaths_.push_back(IncludeDelimiter(path));
      break;
    case 'U':
      platform_.Reg.DeleteKey(RegistryRoot::CurrentUser, path);
      break;
    case 'C':
      platform_.Reg.DeleteKey(RegistryRoot::ClassesRoot, path);
      break;
    case 'M':
      platform_.Reg.DeleteKey(RegistryRoot::LocalMachine, path);
      break;
    default:
      break;
  }
}

void TUninstaller::RemoveFolder(const std::string& path) {
  if (platform_.Files.FolderExists(path) && IsOwnFolderOrAncestor(path)) {
    DeferredFolders.push_back(path);
    return;
  }
  if (platform_.Files.RemoveFolder(path))
    removedPaths_.push_back(IncludeDelimiter(path));
  else if (!(RemovedBefore(IncludeDelimiter(path)) && !platform_.Files.FolderExists(path)))
    Failed = true;
}

bool TUninstaller::RemovedBefore(const std::string& path) const {
  return std::any_of(removedPaths_.begin(), removedPaths_.end(),
                     [&](const std::string& done) { return SameText(done, path); });
}

bool TUninstaller::IsOwnFolderOrAncestor(const std::string& path) const {
  // Compared with a trailing backslash, so that C:\Prod\ is no ancestor of
  // C:\Prod2\.
  const std::string folder = IncludeDelimiter(path);
  return folder.size() <= executableFolder_.size() &&
         SameText(folder, executableFolder_.substr(0, folder.size()));
}

std::vector<std::string> TUninstaller::SelfDeleteScript(const std::string& batchFile) const {
  std::vector<std::string> lines{":Repeat", "del " + BatchQuoted(executablePath_),
                                 "if exist " + BatchQuoted(executablePath_) + " goto Repeat"};
  for (const std::string& folder : DeferredFolders) lines.push_back("rd " + BatchQuoted(ExcludeDelimiter(folder)));
  lines.push_back("del " + BatchQuoted(batchFile));
  return lines;
}

void TUninstaller::StartSelfDelete() {
  std::string temp = platform_.Files.TempFolder();
  if (temp.empty()) temp = "C:\\";
  const std::string batchFile = IncludeDelimiter(temp) + "Uninstall.bat";
  std::string text;
  for (const std::string& line : SelfDeleteScript(batchFile)) text += line + "\r\n";
  {
    // cmd reads batch files in the console's code page, not the ANSI one: a
    // folder named with an accented letter would otherwise stay behind.
    auto out = platform_.Files.Create(batchFile);
    out->WriteText(platform_.Sys.ToConsoleText(text));
  }
  platform_.ShellServices.Open(batchFile, true, nullptr, std::string());
}
