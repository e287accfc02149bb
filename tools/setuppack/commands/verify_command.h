// setuppack verify: whether a user's setup would accept the package.
#pragma once

#include <string>
#include <vector>

#include "commands/command_context.h"

extern const char* const kVerifyHelp;

// Prints "OK" and answers 0 when VerifyPackage accepts the package of the
// file; otherwise prints the setup program's own message on Err and answers 1.
int RunVerifyCommand(const std::vector<std::string>& args, const TCommandContext& context);
