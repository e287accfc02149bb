// The installation run: free space, components per bundle item and for the
// product, library calls, records and settings, shortcuts, and last the
// uninstaller with its record and its entry in the list of programs.
#include <utility>
#include <vector>

#include "common/path.h"
#include "setuplogic/copy_progress.h"
#include "setuplogic/folder_journal.h"
#include "setuplogic/free_space.h"
#include "setuplogic/messages.h"
#include "setuplogic/registry_settings.h"
#include "setuplogic/setup_installer.h"
#include "setuplogic/setup_shortcuts.h"

namespace {

// Sets the engine's switches for one extraction and puts them back however
// the extraction ends.
class TExtractionSwitches {
 public:
  TExtractionSwitches(TInstaller& engine, bool overwrite, bool vst3) : engine_(engine) {
    engine_.Overwrite = overwrite;
    if (vst3) engine_.OnExtractFile = [](TInstaller&, std::string& path) { TSetupInstaller::RenameVst3File(path); };
    else engine_.OnExtractFile = nullptr;
  }
  ~TExtractionSwitches() {
    engine_.Overwrite = true;
    engine_.OnExtractFile = nullptr;
  }
  TExtractionSwitches(const TExtractionSwitches&) = delete;
  TExtractionSwitches& operator=(const TExtractionSwitches&) = delete;

 private:
  TInstaller& engine_;
};

// One of the engine's hooks, set for as long as this lives and taken away
// however the step ends.
template <typename THook>
class TScopedHook {
 public:
  TScopedHook(THook& slot, THook hook) : slot_(slot) { slot_ = std::move(hook); }
  ~TScopedHook() { slot_ = nullptr; }
  TScopedHook(const TScopedHook&) = delete;
  TScopedHook& operator=(const TScopedHook&) = delete;

 private:
  THook& slot_;
};

// A file that another program holds open is not the end of the
// installation: the user is asked to close that program and try again.
TInstaller::FileInUseHook FileInUseQuestion(Dialogs& boxes) {
  return [&boxes](const std::string& path) {
    return boxes.Show(MessageKind::RetryConfirmation, FormatMessageText(message::kFileInUse, path)) ==
           DialogAnswer::Retry;
  };
}

// The [Components] entries of one pass: for the item (nullptr: the final
// pass), each with its package folder and target expanded. Entries whose
// folder or target expands to nothing (a declined plug-in, $BundleItem in
// the final pass) are left out.
struct TPassComponent {
  const TListEntry* Entry;
  std::string Folder, Target;
};

std::vector<TPassComponent> PassComponents(TSetupInstaller& setup, const TSetupBundleItem* item) {
  std::vector<TPassComponent> pass;
  for (const TListEntry& component : setup.Components) {
    TPassComponent expanded{&component, setup.ExpandPath(component.Name, item), setup.ExpandPath(component.Value, item)};
    if (!expanded.Folder.empty() && !expanded.Target.empty()) pass.push_back(std::move(expanded));
  }
  return pass;
}

void InstallComponents(TSetupInstaller& setup, const TSetupBundleItem* item, IInstallProgress& progress, int from,
                       int to) {
  TInstaller& engine = setup.Engine();
  const std::vector<TPassComponent> pass = PassComponents(setup, item);
  uint64_t total = 0;
  for (const TPassComponent& component : pass) {
    const int64_t size = engine.GetComponentSize(component.Folder);
    if (size > 0) total += static_cast<uint64_t>(size);
  }
  TCopyProgress copy(progress, from, to, total);
  const TScopedHook<TInstaller::BytesWrittenHook> report(engine.OnBytesWritten,
                                                        [&copy](uint64_t bytes) { copy.Written(bytes); });
  for (const TPassComponent& component : pass) {
    TExtractionSwitches switches(engine, !setup.IsNoOverwrite(component.Entry->Name),
                                 TSetupInstaller::IsVst3Destination(component.Entry->Value));
    engine.ExtractComponent(component.Folder, component.Target, item != nullptr ? item->FileDate : 0);
  }
}

// The [CallLibraries] entries FUNCTION=LIBRARY.
//
// For library authors: the function is looked up by its name exactly as
// written in Setup.ini, so export it under its plain, undecorated name (a
// 32-bit stdcall function needs a .def file or --kill-at, or it is exported
// as "Name@0"). It takes no arguments and may be stdcall (WINAPI) or cdecl:
// without arguments both are called alike. Whatever it returns is ignored.
// The library is loaded from its installed path, so libraries it depends on
// may lie beside it, and it is unloaded again right after the call.
void CallLibraryFunctions(TSetupInstaller& setup) {
  Libraries& libraries = setup.PlatformServices().Libs;
  for (const TListEntry& call : setup.CallLibraries) {
    const std::string path = setup.ExpandPath(call.Value, nullptr);
    if (path.empty()) continue;  // a library of a declined plug-in
    auto library = libraries.Load(path);
    if (library) library->CallExport(call.Name);
  }
}

std::vector<const TSetupBundleItem*> SelectedItems(const TSetupInstaller& setup) {
  std::vector<const TSetupBundleItem*> items;
  if (!setup.IsBundle) return items;
  for (const auto& item : setup.BundleItemList)
    if (item->Selected) items.push_back(item.get());
  return items;
}

void WriteAllRegistrySettings(TSetupInstaller& setup, const TSetupBundleItem* item) {
  WriteRegistrySettings(setup, setup.RegistrySettings, RegistryRoot::CurrentUser, item);
  WriteRegistrySettings(setup, setup.GlobalRegistrySettings, RegistryRoot::LocalMachine, item);
}

}  // namespace

void TSetupInstaller::Install(IInstallProgress& progress) {
  const TScopedHook<TInstaller::FileInUseHook> fileInUse(engine_->OnFileInUse, FileInUseQuestion(platform_.Boxes));
  TFolderJournal journal(*this);
  progress.SetProgress(0);
  progress.SetStatusText(message::kStatusPreparing);

  // Every entry counts by its name as written: $BundleItem names add
  // nothing, declined plug-ins and repeated folders count all the same.
  RequiredSpace = 0;
  for (const TListEntry& component : Components) {
    const int64_t size = engine_->GetComponentSize(component.Name);
    if (size > 0) RequiredSpace += static_cast<uint64_t>(size);
  }
  CheckFreeSpace(platform_.Files, ProgramFolder, RequiredSpace);

  progress.SetProgress(25);
  progress.SetStatusText(message::kStatusCopying);
  const int from = 25;
  const int to = CallLibraries.empty() ? 75 : 50;
  const std::vector<const TSetupBundleItem*> items = SelectedItems(*this);
  const int count = static_cast<int>(items.size());
  // Each item copies from its milestone to the next; the final pass copies
  // over the whole range when there are no items and at its end otherwise.
  const auto itemStart = [&](int k) { return from + (k * (to - from)) / count; };
  for (int k = 0; k < count; ++k) {
    progress.SetProgress(itemStart(k));
    InstallComponents(*this, items[static_cast<size_t>(k)], progress, itemStart(k), k + 1 < count ? itemStart(k + 1) : to);
  }
  InstallComponents(*this, nullptr, progress, count == 0 ? from : to, to);

  if (!CallLibraries.empty()) {
    progress.SetProgress(50);
    progress.SetStatusText(message::kStatusInitializing);
    CallLibraryFunctions(*this);
  }

  progress.SetProgress(75);
  progress.SetStatusText(message::kStatusSettings);
  // Recorded before anything is written below them, so that the uninstaller
  // deletes this version's records as a whole.
  engine_->AddRegistryKey(RegistryRoot::CurrentUser, ProductRegistryKey(VersionKey));
  engine_->AddRegistryKey(RegistryRoot::LocalMachine, ProductRegistryKey(VersionKey));
  WriteVersionRecord();
  WriteFolderRecords();
  WriteOwnerRecord();
  for (const TSetupBundleItem* item : items) WriteAllRegistrySettings(*this, item);
  WriteAllRegistrySettings(*this, nullptr);
  progress.SetProgress(100);

  CreateShortcuts(*this);

  // The wizard hands over the program folder with its trailing backslash;
  // one without it must not turn into "...\ProductUninst.exe". A product
  // whose components all go elsewhere (plug-ins only) has no program folder
  // yet: it is made and recorded like the folders of the components, so
  // that the uninstaller's batch file takes it away again.
  const std::string programFolder = IncludeDelimiter(ProgramFolder);
  if (!platform_.Files.FolderExists(programFolder)) engine_->ForceFolder(programFolder);
  const std::string uninstaller = programFolder + "Uninst.exe";
  TUninstallEntryDetails details;
  details.DisplayVersion = ProductVersion().VersionText();
  details.InstallLocation = programFolder;
  const std::string product = ProductPath();
  details.DisplayIcon = product.empty() ? uninstaller : product;
  details.Publisher = Publisher;
  engine_->RegisterUninstaller(uninstaller, FullProductName(), FullProductName(),
                               reinterpret_cast<const uint8_t*>(ProductName.data()), ProductName.size(), details);
  journal.Complete();
}
