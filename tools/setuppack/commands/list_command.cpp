#include "commands/list_command.h"

#include "commands/command_line.h"
#include "commands/package_file.h"
#include "packing/ansi_names.h"

const char* const kListHelp =
    "Usage: setuppack list FILE\n"
    "\n"
    "Verifies the package of FILE as the setup program does, then prints its\n"
    "product version and one line per entry, depth first:\n"
    "  D <path>\\          a folder (the top-level ones are the components)\n"
    "  F <path> <size>    a file and its unpacked size in bytes\n"
    "FILE is a setup executable (whose package is appended, or else the\n"
    "Setup.dat beside it) or a bare package.\n"
    "\n"
    "Options:\n"
    "  -h, --help  show this help\n";

namespace {

void ListLevel(TStream& stream, TPackageLevel level, const std::string& parent, std::ostream& out) {
  TPackageEntry entry;
  while (level.Next(entry)) {
    const std::string path = parent + AnsiToUtf8(entry.Header.Name);
    if (entry.Header.IsFolder()) {
      out << "D " << path << "\\\n";
      ListLevel(stream, TPackageLevel(stream, entry), path + "\\", out);
    } else {
      out << "F " << path << " " << entry.Header.Size << "\n";
    }
  }
}

}  // namespace

int RunListCommand(const std::vector<std::string>& args, const TCommandContext& context) {
  const TCommandLine line(args, {{"--help", "-h", false}});
  if (line.Has("--help")) {
    context.Out << kListHelp;
    return 0;
  }
  if (line.Operands().size() != 1) throw EUsageError("list wants one FILE");
  const std::string& file = line.Operands()[0];
  TOpenedPackage package = OpenPackageFile(std::u8string(file.begin(), file.end()));
  context.Out << package.Info.Version.VersionText() << "\n";
  ListLevel(*package.Stream, TPackageLevel(*package.Stream, package.Info), "", context.Out);
  return 0;
}
