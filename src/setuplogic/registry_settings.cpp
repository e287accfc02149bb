#include "setuplogic/registry_settings.h"

#include "common/errors.h"
#include "common/integer_text.h"

bool ParseIntegerSetting(const std::string& data, int32_t& value) {
  return data.size() > 1 && data[0] == '#' && TryParseInteger(data.substr(1), value, HexPrefixes::DollarOnly);
}

void WriteRegistrySettings(TSetupInstaller& setup, const TSettingList& settings, RegistryRoot root,
                           const TSetupBundleItem* item) {
  Registry& registry = setup.PlatformServices().Reg;
  for (const TListEntry& entry : settings) {
    const TRegistryLocation location = setup.SplitRegistryPath(entry.Name, setup.VersionKey, item);
    if (location.KeyPath.empty()) continue;
    const std::string keyPath = setup.ExpandPath(location.KeyPath, item);
    if (keyPath.empty()) continue;
    try {
      auto key = registry.OpenKey(root, keyPath, KeyAccess::Full, true);
      if (!key) continue;
      int32_t number = 0;
      if (ParseIntegerSetting(entry.Value, number))
        key->WriteInteger(location.ValueName, number);
      else
        key->WriteString(location.ValueName, setup.ExpandPath(entry.Value, item));
    } catch (const ERegistryException&) {
      // One value that cannot be written does not stop the others.
    }
  }
}
