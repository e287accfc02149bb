// Checks how "Setup.ini" is written, line by line: its encoding, lines the
// setup skips, sections and keys it does not read, sections and keys given
// twice, list entries without "=", and booleans that are no integers.
#pragma once

#include <string>
#include <vector>

#include "setup_check/setup_finding.h"
#include "setuplogic/ini_file.h"

// file: the name of Setup.ini as staged; lines: its lines; ini: the same
// lines as the setup reads them.
void CheckIniLayout(const std::string& file, const std::vector<std::string>& lines, const TIniFile& ini,
                    TFindingList& findings);
