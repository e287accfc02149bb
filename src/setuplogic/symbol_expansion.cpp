// The "$" and "%" symbols of the settings: text symbols for what the user
// reads, folder symbols for what names a place, and the registry paths that
// settings lines name.
#include "common/errors.h"
#include "common/path.h"
#include "common/text.h"
#include "setuplogic/setup_installer.h"
#include "setuplogic/setup_symbols.h"

namespace {

bool Contains(const std::string& text, const char* symbol) { return text.find(symbol) != std::string::npos; }

}  // namespace

std::string TSetupInstaller::ExpandText(const std::string& text) const {
  // One symbol after the other over the whole text: a value inserted by one
  // step is seen by the later steps only.
  std::string result = text;
  for (const TSymbol& symbol : SetupSymbols())
    if (symbol.Kind == TSymbolKind::Text) result = ReplaceSymbol(result, symbol, symbol.Value(*this, nullptr));
  return result;
}

std::string TSetupInstaller::ExpandPath(const std::string& text, const TSetupBundleItem* item) {
  // The empty text tells the caller that the entry does not apply. The test
  // looks at the text as written: a custom folder that leads to a declined
  // plug-in folder does not exclude it.
  for (const TSymbol& symbol : SetupSymbols()) {
    const bool declined = symbol.Wanted != nullptr && !(this->*symbol.Wanted);
    const bool noItem = symbol.Kind == TSymbolKind::BundleItem && item == nullptr;
    if ((declined || noItem) && Contains(text, symbol.Name)) return std::string();
  }

  std::string result = text;
  for (size_t i = 0; i < Folders.size(); ++i) {
    const std::string symbol = "%" + Folders[i].Name;
    // The recorded value is only looked up for a folder the text names.
    if (result.find(symbol) != std::string::npos)
      result = ReplaceFirst(result, symbol, ExcludeDelimiter(CustomFolderValue(i)));
  }

  for (const TSymbol& symbol : SetupSymbols()) {
    if (symbol.Kind == TSymbolKind::Folder)
      result = ReplaceSymbol(result, symbol, ExcludeDelimiter(symbol.Value(*this, item)));
    else if (symbol.Kind == TSymbolKind::BundleItem && item != nullptr)
      result = ReplaceSymbol(result, symbol, symbol.Value(*this, item));
  }
  return result;
}

std::string TSetupInstaller::CustomFolderValue(size_t index) {
  std::string value = Folders.at(index).Value;
  // Only an upgrade within the major version keeps the user's earlier choice;
  // a new major version installs side by side and starts afresh.
  if (!UpgradeFound || ProductVersion().Major != InstalledVersion.Major) return value;
  const TRegistryLocation location = CustomFolderRegistryLocation(index, InstalledVersionKey);
  if (auto key = platform_.Reg.OpenKey(RegistryRoot::CurrentUser, location.KeyPath, KeyAccess::Read, false)) {
    try {
      const std::string recorded = key->ReadString(location.ValueName);
      if (!recorded.empty()) value = IncludeDelimiter(recorded);
    } catch (const ERegistryException&) {
      // A record of the wrong type is no record.
    }
  }
  return value;
}

TRegistryLocation TSetupInstaller::CustomFolderRegistryLocation(size_t index, const std::string& versionKey) {
  const std::string& name = Folders.at(index).Name;
  std::string location;
  for (const TListEntry& entry : FoldersRegistry) {
    if (SameText(entry.Name, name)) {
      location = entry.Value;
      break;
    }
  }
  return SplitRegistryPath(location, versionKey, nullptr);
}

TRegistryLocation TSetupInstaller::SplitRegistryPath(const std::string& path, const std::string& versionKey,
                                                     const TSetupBundleItem* item) {
  TRegistryLocation location;
  const size_t backslash = path.rfind('\\');
  const std::string keyPart = backslash == std::string::npos ? std::string() : path.substr(0, backslash + 1);
  location.ValueName = backslash == std::string::npos ? path : path.substr(backslash + 1);

  if (item == nullptr) {
    location.KeyPath = ExcludeDelimiter(JoinPath(ProductRegistryKey(versionKey), keyPart));
    return location;
  }
  // A bundle item's settings live below the bundle's root, in a key of the
  // item's own version; a line without a key part does not apply to items.
  const std::string itemKey = ExcludeDelimiter(ExpandPath(keyPart, item));
  if (!itemKey.empty())
    location.KeyPath =
        JoinPath3(BundleRegistryRoot, itemKey, FormatVersionKey(item->Version.Major, item->Version.Minor));
  return location;
}
