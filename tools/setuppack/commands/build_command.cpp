#include "commands/build_command.h"

#include <thread>

#include "commands/command_line.h"
#include "commands/progress_meter.h"
#include "common/errors.h"
#include "common/text.h"
#include "package/package_writer.h"
#include "packing/output_file.h"
#include "packing/pe_stub.h"
#include "packing/product_version.h"
#include "packing/staging_tree.h"
#include "packing/stamp.h"
#include "setup_check/setup_check_report.h"
#include "setup_check/setup_files_check.h"
#include "setuplogic/setup_ini_schema.h"

namespace fs = std::filesystem;

const char* const kBuildHelp =
    "Usage: setuppack build STAGING_DIR -o OUT [options]\n"
    "\n"
    "Packs STAGING_DIR into a setup executable: the bare setup stub followed by\n"
    "the package. Top-level folders become components, top-level files support\n"
    "files (Setup.ini must be one of them); deeper folders nest.\n"
    "\n"
    "Options:\n"
    "  -o, --output OUT        the file to write; replaced only once it is complete\n"
    "  --stub STUB_EXE         the bare setup stub (default: $SETUPPACK_STUB, else\n"
    "                          Setup.exe beside setuppack)\n"
    "  --data                  write a bare package (Setup.dat) instead\n"
    "  --stamp WHEN            the package date: YYYY-MM-DD[THH:MM[:SS]] as the\n"
    "                          wall-clock time given, or Unix seconds taken as UTC;\n"
    "                          default $SOURCE_DATE_EPOCH, else now. With a stamp,\n"
    "                          no file date lies after it and equal input gives\n"
    "                          equal bytes.\n"
    "  --jobs N                files compressed at once (default: the cores)\n"
    "  --product-version TEXT  the product version (default: %PRODUCT_VERSION% in\n"
    "                          the %SETUP% section of Setup.ini)\n"
    "  --strict                refuse the build on warnings of the setup files'\n"
    "                          check too, not only on errors\n"
    "  --no-check              skip that check (for test setups that must carry\n"
    "                          settings the setup program refuses)\n"
    "  -h, --help              show this help\n"
    "\n"
    "Before anything is written, the setup files are checked as \"setuppack\n"
    "check\" does: each finding is printed as \"FILE:LINE: error: ...\" or\n"
    "\"FILE:LINE: warning: ...\"; an error refuses the build, a warning does not.\n";

namespace {

const std::vector<TOptionDefinition> kOptions = {
    {"--output", "-o", true}, {"--stub", "", true},  {"--data", "", false},           {"--stamp", "", true},
    {"--jobs", "", true},     {"--help", "-h", false}, {"--product-version", "", true},
    {"--strict", "", false},  {"--no-check", "", false},
};

constexpr int kMaxJobs = 256;

std::vector<uint8_t> ReadWholeFile(const fs::path& path) {
  THostFileStream file(path, THostFileStream::Mode::Read);
  const int64_t size = file.Size();
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  file.ReadBuffer(bytes.data(), bytes.size());
  return bytes;
}

int ParseJobs(const std::optional<std::string>& text) {
  if (!text) return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  int jobs = 0;
  for (const char c : *text) {
    if (c < '0' || c > '9' || jobs > kMaxJobs) throw EUsageError("--jobs wants a number from 1 to 256");
    jobs = jobs * 10 + (c - '0');
  }
  if (jobs < 1 || jobs > kMaxJobs) throw EUsageError("--jobs wants a number from 1 to 256");
  return jobs;
}

fs::path ChooseStub(const std::optional<std::string>& option, const TCommandContext& context) {
  if (option) return fs::path(std::u8string(option->begin(), option->end()));
  if (const auto fromEnvironment = context.Environment("SETUPPACK_STUB"); fromEnvironment && !fromEnvironment->empty())
    return fs::path(std::u8string(fromEnvironment->begin(), fromEnvironment->end()));
  const fs::path beside = context.ToolFolder / "Setup.exe";
  std::error_code error;
  if (!fs::is_regular_file(beside, error))
    throw Exception("No setup stub: give --stub, set SETUPPACK_STUB, or put Setup.exe beside setuppack (looked for \"" +
                    PathText(beside) + "\"); --data writes a package without one");
  return beside;
}

bool IsInside(const fs::path& path, const fs::path& folder) {
  std::error_code error;
  const fs::path inner = fs::weakly_canonical(path, error), outer = fs::weakly_canonical(folder, error);
  if (error) return false;
  auto it = inner.begin();
  for (const fs::path& part : outer) {
    if (part.empty()) continue;  // the empty last element of a path ending in a separator
    if (it == inner.end() || *it != part) return false;
    ++it;
  }
  return true;
}

void CheckOutput(const fs::path& output, const fs::path& staging, const std::optional<fs::path>& stub) {
  std::error_code error;
  if (fs::is_directory(output, error)) throw Exception("The output \"" + PathText(output) + "\" is a folder");
  const fs::path folder = output.parent_path().empty() ? fs::path(".") : output.parent_path();
  if (!fs::is_directory(folder, error))
    throw Exception("The folder \"" + PathText(folder) + "\" of the output does not exist");
  // A setup left inside the staging folder would be packed into the next one.
  if (IsInside(output, staging))
    throw Exception("The output \"" + PathText(output) + "\" lies inside the staging folder");
  if (stub && fs::exists(output, error) && fs::equivalent(output, *stub, error))
    throw Exception("The output \"" + PathText(output) + "\" would replace the stub");
}

std::string SetupIniText(const TStagingTree& tree, const fs::path& staging) {
  const TPackageItem* setupIni = FindTopLevelFile(tree, "Setup.ini");
  if (setupIni == nullptr)
    throw Exception("The staging folder \"" + PathText(staging) +
                    "\" has no Setup.ini at its top level; the setup cannot run without it");
  const std::vector<uint8_t> bytes = ReadWholeFile(setupIni->SourcePath);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

int RunBuildCommand(const std::vector<std::string>& args, const TCommandContext& context) {
  const TCommandLine line(args, kOptions);
  if (line.Has("--help")) {
    context.Out << ReplaceFirst(ReplaceFirst(kBuildHelp, "%PRODUCT_VERSION%", setup_ini::kProductVersion), "%SETUP%",
                                SectionReference(setup_ini::kSetup));
    return 0;
  }
  if (line.Operands().size() != 1) throw EUsageError("build wants one STAGING_DIR");
  const auto outputText = line.Value("--output");
  if (!outputText) throw EUsageError("build wants the output file: -o OUT");
  if (line.Has("--data") && line.Has("--stub")) throw EUsageError("--data writes no executable and takes no --stub");
  if (line.Has("--strict") && line.Has("--no-check")) throw EUsageError("--strict and --no-check contradict each other");
  const std::string& stagingText = line.Operands()[0];
  const fs::path staging(std::u8string(stagingText.begin(), stagingText.end()));
  const fs::path output(std::u8string(outputText->begin(), outputText->end()));

  // Everything that can be refused is refused before the output is touched.
  TPackageOptions options;
  options.Jobs = ParseJobs(line.Value("--jobs"));
  const TStamp stamp = ChooseStamp(line.Value("--stamp"), context.Environment("SOURCE_DATE_EPOCH"));
  options.Stamp = stamp.DateTime;
  std::optional<fs::path> stubPath;
  std::vector<uint8_t> stub;
  if (!line.Has("--data")) {
    stubPath = ChooseStub(line.Value("--stub"), context);
    stub = ReadWholeFile(*stubPath);
    CheckBareStub(stub, PathText(*stubPath));
  }
  CheckOutput(output, staging, stubPath);
  const TStagingTree tree = ReadStagingTree(staging, stamp);
  options.Version = ChooseProductVersion(line.Value("--product-version"), SetupIniText(tree, staging));
  if (!line.Has("--no-check")) {
    const bool strict = line.Has("--strict");
    const TFindingCount count = PrintFindings(CheckSetupFiles(tree.TopLevel), staging, context.Err);
    if (StopsBuild(count, strict)) throw Exception(FindingSummary(count, strict) + "; nothing was written");
  }

  int64_t packageBytes = 0;
  {
    TOutputFile out(output);
    TProgressMeter meter(context.Err, context.ErrIsTerminal, tree.InputBytes);
    options.Progress = [&meter](uint64_t done, uint64_t total) { meter.Update(done, total); };
    if (!stub.empty()) {
      PointStubAtPackage(stub, static_cast<int32_t>(stub.size()));
      out.Stream().WriteBuffer(stub.data(), stub.size());
    }
    packageBytes = WritePackage(out.Stream(), tree.TopLevel, options);
    out.Commit();
  }
  context.Out << "Wrote " << (stub.empty() ? "package" : "setup executable") << " \"" << PathText(output)
              << "\": version " << options.Version.VersionText() << ", " << tree.Entries << " entries, "
              << tree.InputBytes << " input bytes, " << packageBytes << " package bytes\n";
  return 0;
}
