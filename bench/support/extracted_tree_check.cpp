#include "support/extracted_tree_check.h"

#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

void CheckExtractedTree(const fs::path& root, const TPackageContents& contents) {
  uint64_t files = 0, bytes = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    ++files;
    bytes += entry.file_size();
  }
  if (files != contents.Files.size() || bytes != static_cast<uint64_t>(contents.InflatedBytes))
    throw std::runtime_error("the extraction into \"" + root.generic_string() + "\" made " + std::to_string(files) +
                             " files of " + std::to_string(bytes) + " bytes, not " +
                             std::to_string(contents.Files.size()) + " of " + std::to_string(contents.InflatedBytes));
}

TContender Extraction(const char* name, const fs::path& destination, const TPackageContents& contents,
                      std::function<void()> run) {
  return {name,
          [destination] {
            fs::remove_all(destination);
            fs::create_directories(destination);
          },
          std::move(run),
          [destination, &contents] {
            CheckExtractedTree(destination, contents);
            fs::remove_all(destination);
          }};
}
