// A cheap check that an extraction under measurement did its whole work, so
// that a fast figure cannot come from a run that stopped early.
#pragma once

#include <filesystem>

#include "support/package_contents.h"

// Raises std::runtime_error unless root holds exactly as many files and
// bytes as contents.
void CheckExtractedTree(const std::filesystem::path& root, const TPackageContents& contents);
