// Checks the entries of the list sections other than [Components]:
// [Shortcuts] locations and titles, the "#" integers of the registry
// settings, [CallLibraries], [InstalledFiles], [Folders] and
// [FoldersRegistry].
#pragma once

#include <string>

#include "setup_check/setup_finding.h"
#include "setuplogic/ini_file.h"

void CheckSettingLists(const std::string& file, const TIniFile& ini, TFindingList& findings);
