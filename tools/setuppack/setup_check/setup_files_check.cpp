#include "setup_check/setup_files_check.h"

#include <algorithm>
#include <optional>

#include "common/text.h"
#include "packing/ansi_names.h"
#include "platform/host/host_file_stream.h"
#include "setup_check/bundle_info_check.h"
#include "setup_check/component_check.h"
#include "setup_check/setting_lists_check.h"
#include "setup_check/setup_ini_layout_check.h"
#include "setup_check/setup_section_check.h"
#include "setup_check/side_image_check.h"
#include "setup_check/symbol_check.h"
#include "setuplogic/setup_ini_schema.h"

using namespace setup_ini;

namespace {

const TPackageItem* FindFile(const std::vector<TPackageItem>& topLevel, const char* name) {
  for (const TPackageItem& item : topLevel)
    if (!item.IsFolder && SameText(item.Name, name)) return &item;
  return nullptr;
}

std::vector<uint8_t> ReadBytes(const TPackageItem& item) {
  if (item.SourcePath.empty()) return item.Content;
  THostFileStream file(item.SourcePath, THostFileStream::Mode::Read);
  std::vector<uint8_t> bytes(static_cast<size_t>(file.Size()));
  file.ReadBuffer(bytes.data(), bytes.size());
  return bytes;
}

std::vector<std::string> ReadLines(const TPackageItem& item) {
  const std::vector<uint8_t> bytes = ReadBytes(item);
  return SplitLines(std::string(bytes.begin(), bytes.end()));
}

// The file's name as staged, or the name the setup looks for.
std::string ShownName(const TPackageItem* item, const char* name) {
  return item != nullptr ? AnsiToUtf8(item->Name) : name;
}

std::optional<std::vector<TCheckedBundleItem>> CheckBundle(const std::vector<TPackageItem>& topLevel, bool isBundle,
                                                           TFindingList& findings) {
  const TPackageItem* info = FindFile(topLevel, "BundleInfo.ini");
  if (!isBundle) {
    if (info != nullptr)
      findings.Warning(ShownName(info, ""), 0,
                       "the setup reads BundleInfo.ini only for a bundle, and " + KeyReference(kSetup, kIsBundle) +
                           " is off, so it ignores the file");
    return std::nullopt;
  }
  if (info == nullptr) {
    findings.Error("BundleInfo.ini", 0,
                   "a bundle setup (" + KeyReference(kSetup, kIsBundle) +
                       " is on) reads its items from BundleInfo.ini, and the staging folder has none: the setup stops "
                       "with an error");
    return std::vector<TCheckedBundleItem>{};
  }
  return CheckBundleInfo(ShownName(info, ""), ReadLines(*info), findings);
}

void CheckLicenceAndImage(const std::vector<TPackageItem>& topLevel, TFindingList& findings) {
  if (FindFile(topLevel, "Setup.lic") == nullptr)
    findings.Error("Setup.lic", 0,
                   "the staging folder has no Setup.lic: the setup shows this licence text and stops with an error "
                   "without it (unless a Setup.lic lies beside it)");
  const TPackageItem* image = FindFile(topLevel, "Setup.jpg");
  if (image == nullptr) {
    findings.Warning("Setup.jpg", 0,
                     "the staging folder has no Setup.jpg: the setup looks for its side image beside itself and has "
                     "none to show without it");
    return;
  }
  const std::string problem = SideImageProblem(ReadBytes(*image));
  if (!problem.empty())
    findings.Error(ShownName(image, ""), 0,
                   "the side image does not decode (\"" + problem + "\"): the setup would stop with this message");
}

}  // namespace

std::vector<TSetupFinding> CheckSetupFiles(const std::vector<TPackageItem>& topLevel) {
  TFindingList findings;
  const TPackageItem* setupIni = FindFile(topLevel, "Setup.ini");
  if (setupIni == nullptr) {
    findings.Error("Setup.ini", 0, "the staging folder has no Setup.ini at its top level; the setup cannot start without it");
  } else {
    const std::string file = ShownName(setupIni, "");
    const std::vector<std::string> lines = ReadLines(*setupIni);
    const TIniFile ini(lines);
    CheckIniLayout(file, lines, ini, findings);
    CheckSetupSection(file, ini, findings);
    const bool isBundle = ReadSettingFlag(ini, kSetup, kIsBundle);
    const std::optional<std::vector<TCheckedBundleItem>> items = CheckBundle(topLevel, isBundle, findings);
    std::vector<std::string> folders;
    for (const TPackageItem& item : topLevel)
      if (item.IsFolder) folders.push_back(item.Name);
    CheckComponents(file, ini, folders, items, findings);
    CheckSettingLists(file, ini, findings);
    CheckSymbols(file, ini, isBundle, findings);
  }
  CheckLicenceAndImage(topLevel, findings);

  std::vector<TSetupFinding> sorted = findings.Items();
  std::stable_sort(sorted.begin(), sorted.end(), [](const TSetupFinding& a, const TSetupFinding& b) {
    return a.File != b.File ? a.File < b.File : a.Line < b.Line;
  });
  return sorted;
}
