#include "commands/record_command.h"

#include <memory>

#include "commands/command_line.h"
#include "package/package_format.h"
#include "package/package_locator.h"
#include "package/uninstall_record.h"
#include "packing/ansi_names.h"
#include "platform/host/host_file_stream.h"

const char* const kRecordHelp =
    "Usage: setuppack record FILE\n"
    "\n"
    "Reads the uninstall record of FILE as the uninstaller does and prints the\n"
    "product name, the product version and the recorded items, in the order\n"
    "they were recorded (the uninstaller removes them last first):\n"
    "  F <path>   a file or shortcut        D <path>   a folder it created\n"
    "  E <path>   a folder that existed     T <path>   a folder emptied of files\n"
    "  U/C/M <key> a registry key under HKEY_CURRENT_USER, HKEY_CLASSES_ROOT\n"
    "              or HKEY_LOCAL_MACHINE\n"
    "FILE is an uninstaller (Uninst.exe, whose record is appended, or else the\n"
    "Uninstall.dat beside it) or a bare Uninstall.dat.\n"
    "\n"
    "Options:\n"
    "  -h, --help  show this help\n";

namespace {

std::unique_ptr<THostFileStream> OpenRecordFile(const std::filesystem::path& file) {
  auto stream = std::make_unique<THostFileStream>(file, THostFileStream::Mode::Read);
  char magic[2] = {};
  if (stream->Read(magic, 2) == 2 && magic[0] == 'M' && magic[1] == 'Z') {
    const int32_t offset = ReadHeaderWord(*stream, package_format::kPackageOffsetWord);
    if (offset <= 0)
      return std::make_unique<THostFileStream>(file.parent_path() / kRecordSideFileName, THostFileStream::Mode::Read);
    stream->SetPosition(offset);
    return stream;
  }
  stream->SetPosition(0);
  return stream;
}

}  // namespace

int RunRecordCommand(const std::vector<std::string>& args, const TCommandContext& context) {
  const TCommandLine line(args, {{"--help", "-h", false}});
  if (line.Has("--help")) {
    context.Out << kRecordHelp;
    return 0;
  }
  if (line.Operands().size() != 1) throw EUsageError("record wants one FILE");
  const std::string& file = line.Operands()[0];
  auto stream = OpenRecordFile(std::u8string(file.begin(), file.end()));
  const TUninstallRecord record = ReadUninstallRecord(*stream);
  context.Out << "Product: " << AnsiToUtf8(std::string(record.Data.begin(), record.Data.end())) << "\n";
  context.Out << "Version: " << record.Version.VersionText() << "\n";
  for (const std::string& item : record.Items) {
    if (item.empty()) continue;
    context.Out << item[0] << " " << AnsiToUtf8(item.substr(1)) << "\n";
  }
  return 0;
}
