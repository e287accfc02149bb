#include "support/installation_contender.h"

#include <iterator>
#include <memory>

#include "package/package_reader.h"
#include "platform/host/host_file_stream.h"
#include "platform/platform.h"
#include "setuplogic/setup_installer.h"
#include "support/extracted_tree_check.h"
#include "support/staging_layout.h"

namespace fs = std::filesystem;

namespace {

// Takes the run's progress calls and keeps nothing.
class TSilentProgress : public IInstallProgress {
 public:
  void SetProgress(int) override {}
  void SetCopyProgress(double) override {}
  void KeepResponsive() override {}
  void SetStatusText(const std::string&) override {}
};

}  // namespace

TPackageContents ComponentContentsOf(const fs::path& package, std::set<std::string>& components) {
  TPackageContents all;
  {
    THostFileStream stream(package, THostFileStream::Mode::Read);
    const TPackageInfo info = VerifyPackage(stream);
    all = ListPackageContents(stream, info);
  }
  TPackageContents part;
  for (const fs::path& folder : all.Folders) {
    part.Folders.push_back(folder);
    components.insert(folder.begin()->string());
  }
  for (const TPackedFile& file : all.Files) {
    if (std::distance(file.RelativePath.begin(), file.RelativePath.end()) < 2) continue;
    part.Files.push_back(file);
    part.InflatedBytes += file.Size;
  }
  return part;
}

void CheckAndRemoveInstallation(Platform& platform, const fs::path& destination, const TPackageContents& contents,
                                const std::string& fullProductName) {
  fs::remove(destination / "Uninst.exe");
  CheckExtractedTree(destination, contents);
  RemoveInstallation(platform, destination, fullProductName);
}

void RemoveInstallation(Platform& platform, const fs::path& destination, const std::string& fullProductName) {
  fs::remove_all(destination);
  platform.Reg.DeleteKey(RegistryRoot::CurrentUser, kBenchRegistryKey);
  platform.Reg.DeleteKey(RegistryRoot::LocalMachine, kBenchRegistryKey);
  platform.Reg.DeleteKey(RegistryRoot::LocalMachine,
                         "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + fullProductName);
}

TContender Installation(Platform& platform, const fs::path& destination, const TPackageContents& contents) {
  auto setup = std::make_shared<std::unique_ptr<TSetupInstaller>>();
  return {"installation",
          [&platform, destination, setup] {
            fs::remove_all(destination);
            *setup = std::make_unique<TSetupInstaller>(platform);
            (*setup)->SetProgramFolder(destination.string());
          },
          [setup] {
            TSilentProgress progress;
            (*setup)->Install(progress);
          },
          [&platform, destination, &contents, setup] {
            const std::string product = (*setup)->FullProductName();
            setup->reset();
            CheckAndRemoveInstallation(platform, destination, contents, product);
          }};
}
