#include "setup_fixture.h"

#include "common/shell_folder_kinds.h"

SetupFixture::SetupFixture() {
  platform.Files.AddFolder("C:\\Program Files\\Common Files");
  platform.Files.AddFolder("C:\\Users\\Tester\\AppData\\Roaming");
  platform.Files.AddFolder("C:\\Users\\Tester\\Documents");
  platform.Files.AddFolder("C:\\Setup");
  TFakeShell& shell = platform.ShellServices;
  shell.SetSpecialFolder(SpecialFolderCsidl(SpecialFolderKind::ProgramFiles), "C:\\Program Files");
  shell.SetSpecialFolder(SpecialFolderCsidl(SpecialFolderKind::CommonFiles), "C:\\Program Files\\Common Files");
  shell.SetSpecialFolder(SpecialFolderCsidl(SpecialFolderKind::AppData), "C:\\Users\\Tester\\AppData\\Roaming");
  shell.SetSpecialFolder(SpecialFolderCsidl(SpecialFolderKind::Documents), "C:\\Users\\Tester\\Documents");
}

std::vector<uint8_t> SetupFixture::Package() const {
  std::vector<TPackageItem> items = Components;
  if (SetupIni) items.push_back(TPackageItem::File("Setup.ini", *SetupIni));
  if (SetupLic) items.push_back(TPackageItem::File("Setup.lic", *SetupLic));
  if (BundleInfo) items.push_back(TPackageItem::File("BundleInfo.ini", *BundleInfo));
  if (SetupJpg) {
    TPackageItem jpg = TPackageItem::File("Setup.jpg", "");
    jpg.Content = *SetupJpg;
    items.push_back(jpg);
  }
  return BuildPackage(items, Version, Stamp);
}

TSetupInstaller& SetupFixture::Build() {
  platform.Files.AddFile("C:\\Setup\\Setup.exe", SetupExecutable(Package()));
  setup = std::make_unique<TSetupInstaller>(bundle);
  return *setup;
}

void SetupFixture::AddBesideExecutable(const std::string& name, const std::string& content) {
  platform.Files.AddFile("C:\\Setup\\" + name, content);
}

TPackageItem Component(const std::string& name, const std::string& content) {
  return TPackageItem::Folder(name, {TPackageItem::File("File.dll", content)});
}
