#include "setuplogic/folder_journal.h"

#include "common/errors.h"
#include "common/text.h"
#include "setuplogic/setup_installer.h"

namespace {

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start < text.size()) {
    const size_t bar = text.find('|', start);
    const size_t end = bar == std::string::npos ? text.size() : bar;
    if (end > start) parts.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

}  // namespace

TFolderJournal::TFolderJournal(TSetupInstaller& setup)
    : setup_(setup), keyPath_(setup.ProductRegistryKey(setup.VersionKey) + "\\" + kKey) {
  Platform& platform = setup_.PlatformServices();
  std::string earlier;
  try {
    if (auto key = platform.Reg.OpenKey(RegistryRoot::LocalMachine, keyPath_, KeyAccess::Read, false))
      earlier = key->ReadString(kValue);
  } catch (const ERegistryException&) {
    // An unreadable journal is none.
  }
  // Recorded before anything of this run, so that the uninstaller, which
  // goes through the record from its end, removes them after what they hold.
  for (const std::string& folder : Split(earlier)) {
    if (!platform.Files.FolderExists(folder)) continue;
    setup_.Engine().AddUninstallItem(UninstallKind::Folder, folder);
    folders_ += folder + "|";
  }
  setup_.Engine().OnFolderCreated = [this](const std::string& folder) {
    folders_ += folder + "|";
    Write();
  };
}

TFolderJournal::~TFolderJournal() { setup_.Engine().OnFolderCreated = nullptr; }

void TFolderJournal::Write() {
  try {
    if (auto key = setup_.PlatformServices().Reg.OpenKey(RegistryRoot::LocalMachine, keyPath_, KeyAccess::Full, true))
      key->WriteString(kValue, folders_);
  } catch (const ERegistryException&) {
    // Without a journal the run goes on as it would have.
  }
}

void TFolderJournal::Complete() {
  setup_.Engine().OnFolderCreated = nullptr;
  setup_.PlatformServices().Reg.DeleteKey(RegistryRoot::LocalMachine, keyPath_);
}
