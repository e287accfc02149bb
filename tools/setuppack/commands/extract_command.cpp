#include "commands/extract_command.h"

#include <algorithm>
#include <system_error>

#include "commands/command_line.h"
#include "commands/extract_target.h"
#include "commands/package_file.h"
#include "common/errors.h"
#include "packing/ansi_names.h"
#include "packing/entry_names.h"
#include "packing/file_times.h"
#include "platform/host/host_file_stream.h"

namespace fs = std::filesystem;

const char* const kExtractHelp =
    "Usage: setuppack extract FILE -C DIR [COMPONENT...]\n"
    "\n"
    "Verifies the package of FILE as the setup program does, then writes the\n"
    "named components below DIR, each as the folder DIR/<component>. Without\n"
    "a COMPONENT, writes every component and the support files (Setup.ini and\n"
    "the like, into DIR itself). Component names match regardless of the case\n"
    "of A-Z. Files are dated with the package's stamp, as the setup dates the\n"
    "files it installs. Existing files are replaced; symbolic links inside DIR\n"
    "are never followed.\n"
    "\n"
    "Options:\n"
    "  -C, --directory DIR  the destination folder (made when missing)\n"
    "  -h, --help           show this help\n";

namespace {

struct TPlannedEntry {
  TPackageEntry Entry;
  fs::path Target;
  std::vector<TPlannedEntry> Children;
};

struct TExtractCounts {
  uint64_t Files = 0, Folders = 0, Bytes = 0;
};

class TExtraction {
 public:
  TExtraction(TStream& stream, uint32_t fileDate) : stream_(stream), fileDate_(fileDate) {}

  // Checks the entries' names, their sibling collisions and what already
  // lies at their targets, and remembers the tree; nothing is written yet.
  std::vector<TPlannedEntry> Plan(const std::vector<TPackageEntry>& entries, const fs::path& folder) {
    std::vector<TPlannedEntry> planned;
    std::vector<std::pair<std::string, std::string>> folded;
    for (const TPackageEntry& entry : entries) {
      TPlannedEntry item{entry, folder / fs::path(Utf8Path(entry.Header.Name)), {}};
      const std::string shown = PathText(item.Target);
      const std::string problem = EntryNameProblem(entry.Header.Name);
      if (!problem.empty()) throw Exception("The package entry \"" + shown + "\" cannot be written: its name " + problem);
      folded.emplace_back(FoldNameCase(entry.Header.Name), shown);
      if (entry.Header.IsFolder()) {
        CheckFolderTarget(item.Target, shown);
        item.Children = Plan(LevelEntries(entry), item.Target);
      } else {
        CheckFileTarget(item.Target, shown);
      }
      planned.push_back(std::move(item));
    }
    std::sort(folded.begin(), folded.end());
    for (size_t i = 1; i < folded.size(); ++i)
      if (folded[i - 1].first == folded[i].first)
        throw Exception("The package entries \"" + folded[i - 1].second + "\" and \"" + folded[i].second +
                        "\" would be one file on Windows");
    return planned;
  }

  void Write(const std::vector<TPlannedEntry>& planned) {
    for (const TPlannedEntry& item : planned) {
      const std::string shown = PathText(item.Target);
      if (item.Entry.Header.IsFolder()) {
        MakeFolder(item.Target, shown);
        ++counts_.Folders;
        Write(item.Children);
        continue;
      }
      ClearFileTarget(item.Target, shown);
      THostFileStream out(item.Target, THostFileStream::Mode::Create);
      InflateEntry(stream_, item.Entry, out);
      out.Close();
      SetModificationTime(item.Target, fileDate_);
      ++counts_.Files;
      counts_.Bytes += static_cast<uint64_t>(item.Entry.Header.Size);
    }
  }

  std::vector<TPackageEntry> LevelEntries(const TPackageEntry& folder) {
    std::vector<TPackageEntry> entries;
    TPackageLevel level(stream_, folder);
    for (TPackageEntry entry; level.Next(entry);) entries.push_back(entry);
    return entries;
  }

  const TExtractCounts& Counts() const { return counts_; }

 private:
  static std::u8string Utf8Path(const std::string& ansiName) {
    const std::string utf8 = AnsiToUtf8(ansiName);
    return std::u8string(utf8.begin(), utf8.end());
  }

  TStream& stream_;
  uint32_t fileDate_;
  TExtractCounts counts_;
};

// The top-level entries to write: the named components in the order named,
// or everything when no name is given.
std::vector<TPackageEntry> ChooseEntries(TOpenedPackage& package, const std::vector<std::string>& names) {
  std::vector<TPackageEntry> chosen;
  if (names.empty()) {
    TPackageLevel level(*package.Stream, package.Info);
    for (TPackageEntry entry; level.Next(entry);) chosen.push_back(entry);
    return chosen;
  }
  for (const std::string& name : names) {
    std::string ansi;
    TPackageEntry component;
    if (!Utf8ToAnsi(name, ansi) || !FindComponent(*package.Stream, package.Info, ansi, component))
      throw Exception("The package has no component \"" + name + "\"");
    const bool repeated = std::any_of(chosen.begin(), chosen.end(),
                                      [&](const TPackageEntry& e) { return e.BodyStart == component.BodyStart; });
    if (!repeated) chosen.push_back(component);
  }
  return chosen;
}

}  // namespace

int RunExtractCommand(const std::vector<std::string>& args, const TCommandContext& context) {
  const TCommandLine line(args, {{"--directory", "-C", true}, {"--help", "-h", false}});
  if (line.Has("--help")) {
    context.Out << kExtractHelp;
    return 0;
  }
  const auto directoryText = line.Value("--directory");
  if (line.Operands().empty()) throw EUsageError("extract wants a FILE");
  if (!directoryText) throw EUsageError("extract wants the destination folder: -C DIR");
  const std::string& file = line.Operands()[0];
  const std::vector<std::string> names(line.Operands().begin() + 1, line.Operands().end());
  const fs::path directory(std::u8string(directoryText->begin(), directoryText->end()));

  TOpenedPackage package = OpenPackageFile(std::u8string(file.begin(), file.end()));
  TExtraction extraction(*package.Stream, package.Info.PackageFileDate);
  std::error_code error;
  const bool directoryExists = fs::exists(directory, error);
  if (directoryExists && !fs::is_directory(directory, error))
    throw Exception("The destination \"" + PathText(directory) + "\" is not a folder");
  const auto planned = extraction.Plan(ChooseEntries(package, names), directory);

  if (!directoryExists && !fs::create_directories(directory, error))
    throw Exception("Cannot create the folder \"" + PathText(directory) + "\": " + error.message());
  extraction.Write(planned);
  const TExtractCounts& counts = extraction.Counts();
  context.Out << "Extracted " << counts.Files << " files and " << counts.Folders << " folders (" << counts.Bytes
              << " bytes) into \"" << PathText(directory) << "\"\n";
  return 0;
}
