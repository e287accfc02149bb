// A cheap check that an extraction under measurement did its whole work, so
// that a fast figure cannot come from a run that stopped early.
#pragma once

#include <filesystem>
#include <functional>

#include "support/interleaved_rounds.h"
#include "support/package_contents.h"

// Raises std::runtime_error unless root holds exactly as many files and
// bytes as contents.
void CheckExtractedTree(const std::filesystem::path& root, const TPackageContents& contents);

// A contender that extracts into a fresh folder of its own, checks that the
// whole tree arrived and removes it again, all outside the timed part.
// Removing the tree also drops its unwritten pages, so a run does not pay for
// the writeback of the run before it.
TContender Extraction(const char* name, const std::filesystem::path& destination, const TPackageContents& contents,
                      std::function<void()> run);
