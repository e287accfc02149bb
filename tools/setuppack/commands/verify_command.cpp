#include "commands/verify_command.h"

#include "commands/command_line.h"
#include "commands/package_file.h"

const char* const kVerifyHelp =
    "Usage: setuppack verify FILE\n"
    "\n"
    "Checks the package of FILE (a setup executable or a bare package) exactly\n"
    "as the setup program does when it starts. Prints OK and exits with 0 when\n"
    "the setup would accept it; otherwise prints the message the setup would\n"
    "show and exits with 1.\n"
    "\n"
    "Options:\n"
    "  -h, --help  show this help\n";

int RunVerifyCommand(const std::vector<std::string>& args, const TCommandContext& context) {
  const TCommandLine line(args, {{"--help", "-h", false}});
  if (line.Has("--help")) {
    context.Out << kVerifyHelp;
    return 0;
  }
  if (line.Operands().size() != 1) throw EUsageError("verify wants one FILE");
  const std::string& file = line.Operands()[0];
  try {
    OpenPackageFile(std::u8string(file.begin(), file.end()));
  } catch (const Exception& e) {
    // The message as the user's setup would show it, without decoration.
    context.Err << e.Message() << "\n";
    return 1;
  }
  context.Out << "OK\n";
  return 0;
}
