// setuppack build: packs a staging folder into a setup executable or a bare
// Setup.dat.
#pragma once

#include <string>
#include <vector>

#include "commands/command_context.h"

extern const char* const kBuildHelp;

// Runs the command on its arguments (after "build"); answers the exit code.
// Raises EUsageError for a command line that cannot be obeyed and Exception
// for a refused input or a failed build, in both cases before the output
// file is touched.
int RunBuildCommand(const std::vector<std::string>& args, const TCommandContext& context);
