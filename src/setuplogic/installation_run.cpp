// The installation run: free space, components per bundle item and for the
// product, library calls, records and settings, shortcuts, and last the
// uninstaller with its record and its entry in the list of programs.
#include <vector>

#include "common/path.h"
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

// For the run: a file that another program holds open is not the end of
// the installation; the user is asked to close that program and try again.
class TFileInUseQuestion {
 public:
  TFileInUseQuestion(TInstaller& engine, Dialogs& boxes) : engine_(engine) {
    engine_.OnFileInUse = [&boxes](const std::string& path) {
      return boxes.Show(MessageKind::RetryConfirmation, FormatMessageText(message::kFileInUse, path)) ==
             DialogAnswer::Retry;
    };
  }
  ~TFileInUseQuestion() { engine_.OnFileInUse = nullptr; }
  TFileInUseQuestion(const TFileInUseQuestion&) = delete;
  TFileInUseQuestion& operator=(const TFileInUseQuestion&) = delete;

 private:
  TInstaller& engine_;
};

// Every [Components] entry for the item (nullptr: the final pass). Entries
// whose package folder or target expands to nothing (a declined plug-in,
// $BundleItem in the final pass) are skipped.
void InstallComponents(TSetupInstaller& setup, const TSetupBundleItem* item) {
  TInstaller& engine = setup.Engine();
  for (const TListEntry& component : setup.Components) {
    const std::string folder = setup.ExpandPath(component.Name, item);
    const std::string target = setup.ExpandPath(component.Value, item);
    if (folder.empty() || target.empty()) continue;
    TExtractionSwitches switches(engine, !setup.IsNoOverwrite(component.Name),
                                 TSetupInstaller::IsVst3Destination(component.Value));
    engine.ExtractComponent(folder, target, item != nullptr ? item->FileDate : 0);
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
  const TFileInUseQuestion fileInUse(*engine_, platform_.Boxes);
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
  for (int k = 0; k < count; ++k) {
    progress.SetProgress(from + (k * (to - from)) / count);
    InstallComponents(*this, items[static_cast<size_t>(k)]);
  }
  InstallComponents(*this, nullptr);

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
}
