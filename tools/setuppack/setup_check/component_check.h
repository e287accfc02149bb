// Checks [Components] against the staging folder's top-level folders, and
// [ComponentsOptions] against [Components].
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "setup_check/bundle_info_check.h"
#include "setup_check/setup_finding.h"
#include "setuplogic/ini_file.h"

// folders: the top-level folder names (Windows-1252); bundleItems: the items
// of a bundle setup, or nothing for a plain one. A name with $BundleItem or
// $BundleItemProductName is checked for every item; a name with another
// folder symbol is reported as unusual and not looked up.
void CheckComponents(const std::string& file, const TIniFile& ini, const std::vector<std::string>& folders,
                     const std::optional<std::vector<TCheckedBundleItem>>& bundleItems, TFindingList& findings);
