// setuppack's build time for the staging tree, compressing one file at a
// time and as many as there are cores, to show what the parallel compression
// gains. The build runs in-process through setuppack's own command code, with
// exactly the command line a vendor would type.
#pragma once

#include <filesystem>
#include <ostream>

// Builds the bare package (--data) of staging at output with a fixed
// --stamp, so that both builds must give the same bytes, and leaves the
// package there for the reading benchmarks.
void RunBuildTimeBench(std::ostream& out, const std::filesystem::path& staging, const std::filesystem::path& output,
                       int rounds);
