#include "commands/extract_target.h"

#include <system_error>

#include "common/errors.h"

namespace fs = std::filesystem;

namespace {

fs::file_type TypeAt(const fs::path& path, const std::string& shown) {
  std::error_code error;
  const fs::file_status status = fs::symlink_status(path, error);
  if (error && status.type() != fs::file_type::not_found)
    throw Exception("Cannot look at \"" + shown + "\": " + error.message());
  if (status.type() == fs::file_type::symlink)
    throw Exception("\"" + shown + "\" is a symbolic link; extract does not write through links");
  return status.type();
}

}  // namespace

void CheckFolderTarget(const fs::path& path, const std::string& shown) {
  const fs::file_type type = TypeAt(path, shown);
  if (type != fs::file_type::not_found && type != fs::file_type::directory)
    throw Exception("\"" + shown + "\" exists and is not a folder");
}

void CheckFileTarget(const fs::path& path, const std::string& shown) {
  const fs::file_type type = TypeAt(path, shown);
  if (type != fs::file_type::not_found && type != fs::file_type::regular)
    throw Exception("\"" + shown + "\" exists and is not a file");
}

void MakeFolder(const fs::path& path, const std::string& shown) {
  CheckFolderTarget(path, shown);
  std::error_code error;
  fs::create_directory(path, error);
  if (error) throw Exception("Cannot create the folder \"" + shown + "\": " + error.message());
}

void ClearFileTarget(const fs::path& path, const std::string& shown) {
  CheckFileTarget(path, shown);
  std::error_code error;
  fs::remove(path, error);
  if (error) throw Exception("Cannot replace \"" + shown + "\": " + error.message());
}
