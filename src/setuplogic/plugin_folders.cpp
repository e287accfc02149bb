// Where the plug-in hosts look for plug-ins, and whether the package holds
// VST 3 plug-ins at all. The registry is read as the hosts left it; nothing
// found is no error, just an empty proposal for the user to fill.
#include "common/errors.h"
#include "common/integer_text.h"
#include "common/path.h"
#include "common/shell_services.h"
#include "common/text.h"
#include "setuplogic/setup_installer.h"

namespace {

constexpr const char* kVstKey = "\\Software\\Vst";
constexpr const char* kVstPathValue = "VstPluginsPath";
constexpr const char* kPhotoshopKey = "\\SOFTWARE\\Adobe\\Photoshop";

// The major number of a Photoshop version key such as "13.0"; 0 when the
// name does not start with one (as "CS" does not).
int32_t PhotoshopKeyNumber(const std::string& name) {
  int32_t number;
  return TryParseInteger(name.substr(0, name.find('.')), number) ? number : 0;
}

}  // namespace

void TSetupInstaller::FindDigiPluginFolder() {
  DigiPluginFolder = JoinPath(TShellServices(platform_).GetCommonFilesFolder(), "Digidesign\\DAE\\Plug-Ins");
}

void TSetupInstaller::FindVstPluginFolder() {
  VstPluginFolder.clear();
  try {
    if (auto key = platform_.Reg.OpenKey(RegistryRoot::LocalMachine, kVstKey, KeyAccess::Read, false))
      VstPluginFolder = key->ReadString(kVstPathValue);
  } catch (const ERegistryException&) {
    VstPluginFolder.clear();
  }
}

void TSetupInstaller::FindVst3Folder() {
  // VST 3 hosts all look in the one common folder; no registry says otherwise.
  Vst3PluginFolder = JoinPath(TShellServices(platform_).GetSpecialFolder(SpecialFolderKind::CommonFiles), "VST3");
  Vst3ItemList.clear();
  if (!IsBundle) {
    HasVst3Components = ItemHasVst3Components(nullptr);
    return;
  }
  HasVst3Components = false;
  bool everyItem = true;
  for (const auto& item : BundleItemList) {
    if (ItemHasVst3Components(item.get())) {
      if (!Vst3ItemList.empty()) Vst3ItemList += ", ";
      Vst3ItemList += item->Name;
      HasVst3Components = true;
    } else {
      everyItem = false;
    }
  }
  // The wizard names the items only when the VST 3 choice is not for all.
  if (everyItem) Vst3ItemList.clear();
}

void TSetupInstaller::FindPhotoshopPluginFolder() {
  if ((Pages & setup_page::kPhotoshopPluginFolder) == 0) return;
  try {
    auto versions = platform_.Reg.OpenKey(RegistryRoot::LocalMachine, kPhotoshopKey, KeyAccess::Read, false);
    if (!versions) return;
    std::string newest;
    int32_t newestNumber = 0;
    // The first listed of equal major versions wins: later ones must be higher.
    for (const std::string& name : versions->SubKeyNames()) {
      const int32_t number = PhotoshopKeyNumber(name);
      if (number > newestNumber) {
        newest = name;
        newestNumber = number;
      }
    }
    if (newestNumber == 0) return;
    const std::string pluginPathKey = std::string(kPhotoshopKey) + "\\" + newest + "\\PluginPath";
    if (auto pluginPath = platform_.Reg.OpenKey(RegistryRoot::LocalMachine, pluginPathKey, KeyAccess::Read, false))
      PhotoshopPluginFolder = pluginPath->ReadString("");
  } catch (const ERegistryException&) {
    // What was found so far stands.
  }
}

bool TSetupInstaller::ItemHasVst3Components(const TSetupBundleItem* item) {
  for (const TListEntry& component : Components) {
    if (!IsVst3Destination(component.Value)) continue;
    const std::string name = ExpandPath(component.Name, item);
    // A component the package lacks, or whose files are all empty, installs
    // nothing a host could load.
    if (!name.empty() && engine_->GetComponentSize(name) != 0) return true;
  }
  return false;
}

bool TSetupInstaller::IsVst3Destination(const std::string& destination) {
  return destination.find("Vst3") != std::string::npos;
}

void TSetupInstaller::RenameVst3File(std::string& path) {
  const size_t nameStart = path.rfind('\\');
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || (nameStart != std::string::npos && dot < nameStart)) return;
  // VST 3 hosts only load ".vst3" files; packages carry them as DLLs.
  if (SameText(path.substr(dot), ".dll")) path.replace(dot, std::string::npos, ".vst3");
}
