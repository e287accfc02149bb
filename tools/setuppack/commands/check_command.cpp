#include "commands/check_command.h"

#include "commands/command_line.h"
#include "common/errors.h"
#include "packing/staging_tree.h"
#include "setup_check/setup_check_report.h"
#include "setup_check/setup_files_check.h"

namespace fs = std::filesystem;

const char* const kCheckHelp =
    "Usage: setuppack check STAGING_DIR [--strict]\n"
    "\n"
    "Checks the setup files of STAGING_DIR (Setup.ini, Setup.lic, Setup.jpg,\n"
    "BundleInfo.ini) against its top-level folders, as the setup program will\n"
    "read them, without building anything. Each finding is one line on\n"
    "standard error, \"FILE:LINE: error: ...\" or \"FILE:LINE: warning: ...\":\n"
    "  error    the setup would refuse to start (or could never install);\n"
    "           setuppack build refuses the staging folder\n"
    "  warning  the setup would ignore or misread something; the build goes on\n"
    "Prints OK (and the number of warnings) and exits with 0 when the setup\n"
    "files allow a build, else exits with 1. The staging folder's names are\n"
    "checked as build checks them.\n"
    "\n"
    "Options:\n"
    "  --strict    count warnings as errors, as build --strict does\n"
    "  -h, --help  show this help\n";

int RunCheckCommand(const std::vector<std::string>& args, const TCommandContext& context) {
  const TCommandLine line(args, {{"--help", "-h", false}, {"--strict", "", false}});
  if (line.Has("--help")) {
    context.Out << kCheckHelp;
    return 0;
  }
  if (line.Operands().size() != 1) throw EUsageError("check wants one STAGING_DIR");
  const std::string& stagingText = line.Operands()[0];
  const fs::path staging(std::u8string(stagingText.begin(), stagingText.end()));
  const bool strict = line.Has("--strict");

  // The file dates play no part here; any stamp will do.
  const TStagingTree tree = ReadStagingTree(staging, TStamp{});
  const TFindingCount count = PrintFindings(CheckSetupFiles(tree.TopLevel), staging, context.Err);
  if (StopsBuild(count, strict)) throw Exception(FindingSummary(count, strict));
  context.Out << (count.Warnings == 0 ? "OK" : "OK, " + FindingSummary(count, strict)) << "\n";
  return 0;
}
