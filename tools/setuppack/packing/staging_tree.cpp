#include "packing/staging_tree.h"

#include <algorithm>
#include <limits>
#include <system_error>

#include "common/errors.h"
#include "common/text.h"
#include "package/package_format.h"
#include "packing/ansi_names.h"
#include "packing/entry_names.h"
#include "packing/file_times.h"
#include "platform/host/host_file_stream.h"

namespace fs = std::filesystem;

namespace {

constexpr uint64_t kMaxFileSize = uint64_t{1} << 31;

std::string Shown(const std::string& relative) { return "\"" + relative + "\""; }

// The reason an entry of that kind cannot go into a package, or nullptr.
const char* RefusedKind(fs::file_type type) {
  switch (type) {
    case fs::file_type::regular:
    case fs::file_type::directory:
      return nullptr;
    case fs::file_type::symlink:
      return "is a symbolic link; packages hold only plain files and folders, so copy its target in";
    default:
      return "is a special file (device, pipe or socket); packages hold only plain files and folders";
  }
}

class TTreeReader {
 public:
  TTreeReader(const TStamp& stamp, TStagingTree& tree) : stamp_(stamp), tree_(tree) {}

  std::vector<TPackageItem> ReadLevel(const fs::path& folder, const std::string& relative, int depth) {
    if (depth > package_format::kMaxFolderDepth)
      throw Exception("Folders nest more than 64 levels deep at " + Shown(relative));
    std::vector<TPackageItem> items;
    std::error_code error;
    fs::directory_iterator it(folder, error), end;
    for (; !error && it != end; it.increment(error)) items.push_back(ReadEntry(*it, relative, depth));
    if (error) throw Exception("Cannot read the folder \"" + PathText(folder) + "\": " + error.message());

    std::sort(items.begin(), items.end(), [](const TPackageItem& a, const TPackageItem& b) {
      if (a.IsFolder != b.IsFolder) return a.IsFolder;
      return EntryNameLess(a.Name, b.Name);
    });
    CheckCollisions(items, relative);
    return items;
  }

 private:
  TPackageItem ReadEntry(const fs::directory_entry& entry, const std::string& parent, int depth) {
    const std::string utf8 = PathText(entry.path().filename());
    const std::string relative = parent.empty() ? utf8 : parent + "/" + utf8;
    TPackageItem item;
    if (!Utf8ToAnsi(utf8, item.Name))
      throw Exception("The name " + Shown(relative) + " has characters that Windows-1252 cannot hold");
    const std::string problem = EntryNameProblem(item.Name);
    if (!problem.empty()) throw Exception("The name " + Shown(relative) + " " + problem);

    std::error_code error;
    const fs::file_status status = entry.symlink_status(error);
    if (error) throw Exception("Cannot read " + Shown(relative) + ": " + error.message());
    if (const char* refused = RefusedKind(status.type())) throw Exception(Shown(relative) + " " + refused);

    ++tree_.Entries;
    if (status.type() == fs::file_type::directory) {
      item.IsFolder = true;
      item.Children = ReadLevel(entry.path(), relative, depth + 1);
      return item;
    }
    const uint64_t size = entry.file_size(error);
    if (error) throw Exception("Cannot read " + Shown(relative) + ": " + error.message());
    if (size >= kMaxFileSize) throw Exception("The file " + Shown(relative) + " is 2 GiB or larger");
    item.SourcePath = entry.path();
    item.SourceSize = size;
    item.FileTime = EntryFileTime(ModificationTime(entry.path()), stamp_);
    tree_.InputBytes += size;
    return item;
  }

  // Siblings that Windows would take for one name; sorting the folded names
  // brings them side by side, so large folders cost no more than the sort.
  static void CheckCollisions(const std::vector<TPackageItem>& items, const std::string& relative) {
    std::vector<std::pair<std::string, const TPackageItem*>> folded;
    for (const TPackageItem& item : items) folded.emplace_back(FoldNameCase(item.Name), &item);
    std::sort(folded.begin(), folded.end());
    for (size_t i = 1; i < folded.size(); ++i) {
      if (folded[i - 1].first != folded[i].first) continue;
      const std::string folder = relative.empty() ? "the staging folder" : Shown(relative);
      throw Exception("The names " + Shown(AnsiToUtf8(folded[i - 1].second->Name)) + " and " +
                      Shown(AnsiToUtf8(folded[i].second->Name)) + " in " + folder +
                      " differ only in letter case; Windows would see one name");
    }
  }

  const TStamp& stamp_;
  TStagingTree& tree_;
};

}  // namespace

TStagingTree ReadStagingTree(const fs::path& root, const TStamp& stamp) {
  std::error_code error;
  if (!fs::is_directory(root, error))
    throw Exception("The staging folder \"" + PathText(root) + "\" does not exist or is not a folder");
  TStagingTree tree;
  tree.TopLevel = TTreeReader(stamp, tree).ReadLevel(root, "", 0);
  return tree;
}

const TPackageItem* FindTopLevelFile(const TStagingTree& tree, const std::string& name) {
  for (const TPackageItem& item : tree.TopLevel)
    if (!item.IsFolder && SameText(item.Name, name)) return &item;
  return nullptr;
}
