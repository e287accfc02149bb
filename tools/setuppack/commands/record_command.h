// setuppack record: what an uninstaller will remove, for vendors and support
// staff looking at a customer's installation.
#pragma once

#include <string>
#include <vector>

#include "commands/command_context.h"

extern const char* const kRecordHelp;

// Prints the product name and version of an uninstall record, then its items
// in record order as "<kind> <path>". Answers the exit code.
int RunRecordCommand(const std::vector<std::string>& args, const TCommandContext& context);
