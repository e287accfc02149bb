// The setuppack program: its commands, help and exit codes.
#pragma once

#include <string>
#include <vector>

#include "commands/command_context.h"

// Exit codes: success, a refused input or failed command, a wrong command line.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

extern const char* const kSetuppackHelp;

// Runs the command line (arguments after the program name, UTF-8) and
// answers the exit code; every error ends up as a message on context.Err.
int RunSetuppack(const std::vector<std::string>& args, const TCommandContext& context);
