#include "setup_check/component_check.h"

#include <set>

#include "common/text.h"
#include "packing/ansi_names.h"
#include "setup_check/nearest_name.h"
#include "setup_check/setup_symbols.h"
#include "setuplogic/setup_ini_schema.h"

using namespace setup_ini;

namespace {

bool IsFolder(const std::vector<std::string>& folders, const std::string& name) {
  for (const std::string& folder : folders)
    if (SameText(folder, name)) return true;
  return false;
}

std::string Nearest(const std::vector<std::string>& folders, const std::string& name) {
  const std::string suggestion = NearestName(name, folders);
  return suggestion.empty() ? "" : "; did you mean " + Quoted(suggestion) + "?";
}

class TComponentChecker {
 public:
  TComponentChecker(const std::string& file, const std::vector<std::string>& folders,
                    const std::vector<std::string>& customFolders,
                    const std::optional<std::vector<TCheckedBundleItem>>& bundleItems, TFindingList& findings)
      : file_(file), folders_(folders), customFolders_(customFolders), bundleItems_(bundleItems), findings_(findings) {}

  void CheckEntry(const TIniEntry& entry) {
    if (entry.Key.empty()) {
      findings_.Warning(file_, entry.Line, "the entry has no component name before \"=\"; the setup installs nothing for it");
      return;
    }
    if (entry.Value.empty())
      findings_.Warning(file_, entry.Line,
                        "the component " + Quoted(entry.Key) + " has no target folder; the setup skips it");
    const std::vector<std::string> symbols = FolderSymbolsIn(entry.Key, customFolders_);
    if (!symbols.empty()) {
      findings_.Warning(file_, entry.Line,
                        "the component name " + Quoted(entry.Key) + " uses " + AnsiToUtf8(symbols[0]) +
                            ": a component name is a top-level folder of the package, and this one would depend on "
                            "the user's machine");
      complete_ = false;
      return;
    }
    if (UsesItemSymbols(entry.Key)) {
      CheckItemName(entry);
      return;
    }
    used_.insert(UpperCaseAscii(entry.Key));
    if (!IsFolder(folders_, entry.Key))
      findings_.Warning(file_, entry.Line,
                        "the component " + Quoted(entry.Key) +
                            " is no top-level folder of the staging folder, so the setup installs nothing for it" +
                            Nearest(folders_, entry.Key));
  }

  // Top-level folders that no entry installs are packed for nothing.
  void CheckUnusedFolders(int line) {
    if (!complete_) return;
    for (const std::string& folder : folders_)
      if (used_.count(UpperCaseAscii(folder)) == 0)
        findings_.Warning(file_, line,
                          "the top-level folder " + Quoted(folder) +
                              " is packed, but no " + SectionReference(kComponents) + " entry installs it");
  }

 private:
  // A $BundleItem name stands for one folder per item; a plain setup has
  // no items, and the symbol check reports that.
  void CheckItemName(const TIniEntry& entry) {
    if (!bundleItems_) return;
    for (const TCheckedBundleItem& item : *bundleItems_) {
      const std::string name = ExpandItemSymbols(entry.Key, item);
      used_.insert(UpperCaseAscii(name));
      if (!IsFolder(folders_, name))
        findings_.Warning(file_, entry.Line,
                          "the component " + Quoted(entry.Key) + " is " + Quoted(name) + " for the bundle item " +
                              Quoted(item.Name) +
                              ", which is no top-level folder of the staging folder, so the setup installs nothing "
                              "from it for that item" +
                              Nearest(folders_, name));
    }
  }

  const std::string& file_;
  const std::vector<std::string>& folders_;
  const std::vector<std::string>& customFolders_;  // the names of [Folders]
  const std::optional<std::vector<TCheckedBundleItem>>& bundleItems_;
  TFindingList& findings_;
  std::set<std::string> used_;  // folded folder names that entries install
  bool complete_ = true;        // false once a name cannot be resolved here
};

void CheckOptions(const std::string& file, const TIniFile& ini, TFindingList& findings) {
  const std::vector<TIniEntry> components = ini.ReadList(kComponents);
  for (const TIniEntry& option : ini.ReadList(kComponentsOptions)) {
    if (!option.HasKey) continue;
    if (option.Value != kNoOverwriteOption)
      findings.Warning(file, option.Line,
                       "the option " + Quoted(option.Value) +
                           " has no effect: the only component option is " + kNoOverwriteOption + ", written exactly so");
    std::string caseVariant;
    bool exact = false;
    for (const TIniEntry& component : components) {
      if (!component.HasKey) continue;
      if (component.Key == option.Key) exact = true;
      else if (SameText(component.Key, option.Key)) caseVariant = component.Key;
    }
    if (!exact)
      findings.Warning(file, option.Line,
                       Quoted(option.Key) + " names no " + SectionReference(kComponents) +
                           " entry (options match a component name exactly, letter case included), so the option has "
                           "no effect" +
                           (caseVariant.empty() ? "" : "; " + SectionReference(kComponents) + " has " + Quoted(caseVariant)));
  }
}

}  // namespace

void CheckComponents(const std::string& file, const TIniFile& ini, const std::vector<std::string>& folders,
                     const std::optional<std::vector<TCheckedBundleItem>>& bundleItems, TFindingList& findings) {
  std::vector<std::string> customFolders;
  for (const TIniEntry& entry : ini.ReadList(kFolders))
    if (entry.HasKey) customFolders.push_back(entry.Key);
  TComponentChecker checker(file, folders, customFolders, bundleItems, findings);
  for (const TIniEntry& entry : ini.ReadList(kComponents))
    if (entry.HasKey) checker.CheckEntry(entry);
  const TIniSection* section = ini.FindSection(kComponents);
  checker.CheckUnusedFolders(section != nullptr ? section->Line : 0);
  CheckOptions(file, ini, findings);
}
