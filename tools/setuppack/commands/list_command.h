// setuppack list: the product version and the entries of a package.
#pragma once

#include <string>
#include <vector>

#include "commands/command_context.h"

extern const char* const kListHelp;

// Prints the version on the first line, then one line per entry in package
// order, depth first: "D <path>\" for a folder, "F <path> <size>" for a file,
// the names (as UTF-8) joined with "\". Answers the exit code.
int RunListCommand(const std::vector<std::string>& args, const TCommandContext& context);
