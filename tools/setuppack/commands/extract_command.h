// setuppack extract: unpacking components and support files.
#pragma once

#include <string>
#include <vector>

#include "commands/command_context.h"

extern const char* const kExtractHelp;

// Writes the named components (all of them and the support files when none
// is named) below the destination folder, each component as a folder of its
// name, dated with the package stamp as the setup dates installed files.
// Every name and every existing target is checked before the first write.
// Answers the exit code.
int RunExtractCommand(const std::vector<std::string>& args, const TCommandContext& context);
