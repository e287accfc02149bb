// Checks the [Setup] settings the setup cannot start without (RegistryRoot,
// DefaultFolder, and BundleRegistryRoot for a bundle) and the shape of the
// registry roots, the default folder and the texts with defaults.
#pragma once

#include <string>

#include "setup_check/setup_finding.h"
#include "setuplogic/ini_file.h"

void CheckSetupSection(const std::string& file, const TIniFile& ini, TFindingList& findings);

// The first "%" directive of a DefaultFolder template other than "%d" and
// "%%" (such as "%s", or a lone "%" at the end), or "" when there is none.
std::string ForeignFolderDirective(const std::string& folderTemplate);
