#include "support/staging_layout.h"

#include <cstdio>
#include <set>
#include <string>

#include "support/deterministic_random.h"
#include "support/side_picture.h"

namespace {

constexpr uint64_t kKiB = 1024;
constexpr uint64_t kMiB = 1024 * kKiB;

// Sizes of the large files: binaries compress to nothing smaller, so these
// measure the inflater's stored-block path and the plain write speed.
struct TNamedSize {
  const char* Path;
  uint64_t Size;
};
constexpr TNamedSize kBinaries[] = {
    {"Program/Bin/Studio.exe", 34 * kMiB},
    {"Program/Bin/Engine.dll", 22 * kMiB},
    {"Program/Bin/Codecs.dll", 14 * kMiB},
    {"Program/Data/Sounds.pak", 10 * kMiB},
};

constexpr int kManualChapters = 12;   // 2 to 5 MiB of prose each
constexpr int kBuildLogs = 6;         // 3 to 6 MiB of log each
constexpr int kSampleProjects = 40;   // 100 small files each
constexpr int kModulesPerProject = 5;
constexpr int kSourcesPerModule = 18;
constexpr int kNotesPerProject = 8;
constexpr int kLogsPerProject = 2;

std::string Numbered(const char* format, int number) {
  char text[96];
  std::snprintf(text, sizeof text, format, number);
  return text;
}

void AddSamples(std::vector<TStagingFile>& layout, TDeterministicRandom& random) {
  const auto smallSize = [&random] { return static_cast<uint64_t>(random.Between(1 * kKiB, 20 * kKiB)); };
  for (int project = 1; project <= kSampleProjects; ++project) {
    const std::string root = Numbered("Samples/Project%03d", project);
    for (int module = 1; module <= kModulesPerProject; ++module) {
      const std::string folder = root + Numbered("/Source/Module%c", 'A' + module - 1);
      for (int file = 1; file <= kSourcesPerModule; ++file) {
        const char* format = file % 2 == 1 ? "/Unit%02d.cpp" : "/Unit%02d.h";
        layout.push_back({folder + Numbered(format, (file + 1) / 2), TFileContent::Source, smallSize()});
      }
    }
    for (int note = 1; note <= kNotesPerProject; ++note)
      layout.push_back({root + Numbered("/Docs/Note%02d.txt", note), TFileContent::Prose, smallSize()});
    for (int log = 1; log <= kLogsPerProject; ++log)
      layout.push_back({root + Numbered("/Logs/Run%02d.log", log), TFileContent::Log, smallSize()});
  }
}

}  // namespace

std::vector<TStagingFile> StagingLayout() {
  TDeterministicRandom random(SeedOf("staging layout"));
  std::vector<TStagingFile> layout;
  for (const TNamedSize& binary : kBinaries) layout.push_back({binary.Path, TFileContent::Binary, binary.Size});
  layout.push_back({"Program/Readme.txt", TFileContent::Prose, 1 * kMiB});
  layout.push_back({"Program/Data/Presets.txt", TFileContent::Source, 2 * kMiB});
  for (int chapter = 1; chapter <= kManualChapters; ++chapter)
    layout.push_back({Numbered("Documentation/Manual/Chapter%02d.txt", chapter), TFileContent::Prose,
                      random.Between(2 * kMiB, 5 * kMiB)});
  for (int log = 1; log <= kBuildLogs; ++log)
    layout.push_back({Numbered("Documentation/Logs/Build%02d.log", log), TFileContent::Log,
                      random.Between(3 * kMiB, 6 * kMiB)});
  AddSamples(layout, random);
  layout.push_back({"Setup.ini", TFileContent::SetupIni, std::char_traits<char>::length(kSetupIniText)});
  layout.push_back({"Setup.lic", TFileContent::SetupLicence, std::char_traits<char>::length(kSetupLicenceText)});
  layout.push_back({"Setup.jpg", TFileContent::SidePicture, SidePictureJpeg().size()});
  return layout;
}

TStagingTotals TotalsOf(const std::vector<TStagingFile>& layout) {
  TStagingTotals totals;
  std::set<std::string> folders;
  for (const TStagingFile& file : layout) {
    ++totals.Files;
    totals.Bytes += file.Size;
    if (file.Content == TFileContent::Binary) totals.IncompressibleBytes += file.Size;
    for (size_t slash = file.Path.find('/'); slash != std::string::npos; slash = file.Path.find('/', slash + 1))
      folders.insert(file.Path.substr(0, slash));
  }
  totals.Folders = folders.size();
  return totals;
}
