// The check of a staging folder's setup files before anything is packed:
// "Setup.ini", "Setup.lic", "Setup.jpg" and "BundleInfo.ini", read as the
// setup program will read them, against the top-level folders that become
// the components.
//
// Errors are what the setup would refuse to start with (or could never
// install past); warnings what it would silently ignore or misread.
#pragma once

#include <vector>

#include "package/package_writer.h"
#include "setup_check/setup_finding.h"

// topLevel: the staging folder's top-level entries, as ReadStagingTree gives
// them (names in Windows-1252; a file's bytes in SourcePath or Content).
// Answers the findings ordered by file and line. Raises the file layer's
// error when a support file cannot be read.
std::vector<TSetupFinding> CheckSetupFiles(const std::vector<TPackageItem>& topLevel);
