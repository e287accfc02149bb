// The [RegistrySettings] and [GlobalRegistrySettings] entries of the
// installation run: KEYPATH\VALUE=DATA written below the product's keys.
#pragma once

#include <cstdint>
#include <string>

#include "platform/registry.h"
#include "setuplogic/setup_installer.h"

// Whether DATA asks for an integer value: "#" followed by a decimal integer or
// "$" and a hexadecimal one, fitting 32 bits. "#", "#x5" and "#5a" do not;
// they are written as the strings they are.
bool ParseIntegerSetting(const std::string& data, int32_t& value);

// Writes the entries of the list for the item (nullptr: the final pass)
// below root, creating keys as needed. Entries whose key does not apply to
// the item (or names a declined plug-in folder) are skipped; a registry
// error skips its entry and the rest go on.
void WriteRegistrySettings(TSetupInstaller& setup, const TSettingList& settings, RegistryRoot root,
                           const TSetupBundleItem* item);
