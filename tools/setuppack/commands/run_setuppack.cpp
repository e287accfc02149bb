#include "commands/run_setuppack.h"

#include <exception>
#include <new>

#include "commands/build_command.h"
#include "commands/check_command.h"
#include "commands/command_line.h"
#include "commands/extract_command.h"
#include "commands/list_command.h"
#include "commands/record_command.h"
#include "commands/verify_command.h"

const char* const kSetuppackHelp =
    "Usage: setuppack COMMAND [ARGUMENTS]\n"
    "\n"
    "Builds setup executables and inspects their packages.\n"
    "\n"
    "Commands:\n"
    "  build STAGING_DIR -o OUT   pack a staging folder into a setup executable\n"
    "                             (or a bare Setup.dat with --data)\n"
    "  check STAGING_DIR          check its setup files (Setup.ini and its\n"
    "                             companions) as build does, without building\n"
    "  list FILE                  print the product version and the entries\n"
    "  verify FILE                check a package as the setup program does\n"
    "  extract FILE -C DIR [COMPONENT...]\n"
    "                             unpack components and support files\n"
    "  record FILE                print what an uninstaller will remove\n"
    "\n"
    "Run \"setuppack COMMAND --help\" for the options of a command.\n"
    "Exit codes: 0 success, 1 failure, 2 wrong usage.\n";

namespace {

using TCommand = int (*)(const std::vector<std::string>&, const TCommandContext&);

struct TCommandEntry {
  const char* Name;
  TCommand Run;
};

constexpr TCommandEntry kCommands[] = {
    {"build", RunBuildCommand},
    {"check", RunCheckCommand},
    {"list", RunListCommand},
    {"verify", RunVerifyCommand},
    {"extract", RunExtractCommand},
    {"record", RunRecordCommand},
};

}  // namespace

int RunSetuppack(const std::vector<std::string>& args, const TCommandContext& context) {
  if (args.empty()) {
    context.Err << kSetuppackHelp;
    return kExitUsage;
  }
  const std::string& name = args[0];
  if (name == "--help" || name == "-h" || name == "help") {
    context.Out << kSetuppackHelp;
    return kExitSuccess;
  }
  for (const TCommandEntry& command : kCommands) {
    if (name != command.Name) continue;
    try {
      return command.Run(std::vector<std::string>(args.begin() + 1, args.end()), context);
    } catch (const EUsageError& e) {
      context.Err << "setuppack " << name << ": " << e.Message() << "\nTry \"setuppack " << name
                  << " --help\".\n";
      return kExitUsage;
    } catch (const Exception& e) {
      context.Err << "setuppack " << name << ": " << e.Message() << "\n";
    } catch (const std::bad_alloc&) {
      context.Err << "setuppack " << name << ": out of memory\n";
    } catch (const std::exception& e) {
      // The library's own failures (a thread that cannot start, say).
      context.Err << "setuppack " << name << ": " << e.what() << "\n";
    }
    return kExitFailure;
  }
  context.Err << "setuppack: unknown command \"" << name << "\"\n\n" << kSetuppackHelp;
  return kExitUsage;
}
