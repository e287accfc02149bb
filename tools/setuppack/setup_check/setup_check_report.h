// How setuppack build and check show the findings of the setup files' check,
// and whether they stop a build.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "setup_check/setup_finding.h"

struct TFindingCount {
  int Errors = 0;
  int Warnings = 0;
};

// Prints every finding on a line of its own, the file shown as its path in
// the staging folder; answers how many there were of each kind.
TFindingCount PrintFindings(const std::vector<TSetupFinding>& findings, const std::filesystem::path& staging,
                            std::ostream& out);

// Whether the findings stop a build: any error, and with strict any warning.
bool StopsBuild(const TFindingCount& count, bool strict);

// "2 errors and 1 warning in the setup files", with strict noting that the
// warnings count as errors.
std::string FindingSummary(const TFindingCount& count, bool strict);
