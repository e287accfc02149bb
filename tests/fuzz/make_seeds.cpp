// Writes seed inputs for the fuzz targets into a folder: a few valid
// packages, uninstall records, version texts and settings files, so that
// fuzzing starts from inputs that reach deep into the readers.
#include <cstdio>
#include <string>

#include "common/stream.h"
#include "package/package_writer.h"
#include "package/uninstall_items.h"
#include "package/uninstall_record.h"

namespace {

void Save(const std::string& path, const std::string& bytes) {
  if (FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

std::string Package(const std::vector<TPackageItem>& items) {
  TPackageOptions options;
  options.Version.ParseVersion("1.16 beta 2");
  options.Stamp = 45413.5;
  TMemoryStream out;
  WritePackage(out, items, options);
  return out.Text();
}

std::string UninstallRecord(const char* version, const std::vector<std::string>& items, const std::string& data) {
  TProgramVersion programVersion;
  programVersion.ParseVersion(version);
  TMemoryStream out;
  WriteUninstallRecord(out, programVersion, items, reinterpret_cast<const uint8_t*>(data.data()), data.size());
  return out.Text();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_seeds package|uninstall_record|version|ini FOLDER\n");
    return 2;
  }
  const std::string kind = argv[1], folder = argv[2];
  if (kind == "package") {
    Save(folder + "/empty", Package({}));
    Save(folder + "/typical",
         Package({TPackageItem::Folder("Main", {TPackageItem::File("a.txt", "alpha alpha"),
                                                TPackageItem::Folder("Sub", {TPackageItem::File("b", "")}),
                                                TPackageItem::Folder("Empty")}),
                  TPackageItem::File("Setup.ini", "[Setup]\r\nProductName=X\r\n")}));
  } else if (kind == "uninstall_record") {
    Save(folder + "/empty", UninstallRecord("1.0", {}, ""));
    Save(folder + "/typical",
         UninstallRecord("2.5 beta 12 (press preview)",
                         {UninstallItem(UninstallKind::ExistingFolder, "C:\\Program Files\\"),
                          UninstallItem(UninstallKind::Folder, "C:\\Program Files\\Demo\\"),
                          UninstallItem(UninstallKind::File, "C:\\Program Files\\Demo\\Demo.dll"),
                          UninstallItem(UninstallKind::FolderFiles, "C:\\Program Files\\Demo\\Cache\\"),
                          UninstallItem(UninstallKind::CurrentUserKey, "\\Software\\Demo"),
                          UninstallItem(UninstallKind::ClassesRootKey, "\\.demo"),
                          UninstallItem(UninstallKind::MachineKey, std::string(kUninstallRegistryKey) + "Demo")},
                         "Demo"));
  } else if (kind == "version") {
    for (const char* text : {"1.16", "2.5 beta 12", "1.16 beta 2 (press preview)", "3"})
      Save(folder + "/" + std::to_string(std::hash<std::string>()(text)), text);
  } else {
    Save(folder + "/setup.ini",
         "[Setup]\r\nIsBundle=0x1\r\nProductName=Demo\r\n[Components]\r\nMain=$ProgramFolder\r\n; c\r\n[Setup]\r\nX=$1\r\n");
  }
  return 0;
}
