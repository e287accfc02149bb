// setuppack check: the check that build makes of a staging folder's setup
// files, on its own, without packing anything.
#pragma once

#include <string>
#include <vector>

#include "commands/command_context.h"

extern const char* const kCheckHelp;

// Runs the command on its arguments (after "check"); answers the exit code.
// Raises EUsageError for a command line that cannot be obeyed and Exception
// when the build would be refused.
int RunCheckCommand(const std::vector<std::string>& args, const TCommandContext& context);
