// Checks the "$" symbols and "%" custom folders of every setting against
// where the setup expands them. A symbol the setup does not replace at that
// place stays in the text as written; one that needs a bundle item where
// there is none empties the whole text, and the entry does not apply.
#pragma once

#include <string>

#include "setup_check/setup_finding.h"
#include "setuplogic/ini_file.h"

// isBundle: [Setup] IsBundle as the setup reads it.
void CheckSymbols(const std::string& file, const TIniFile& ini, bool isBundle, TFindingList& findings);
