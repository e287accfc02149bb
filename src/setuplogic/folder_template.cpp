#include "setuplogic/folder_template.h"

#include <optional>

#include "common/errors.h"
#include "setuplogic/setup_ini_schema.h"

namespace {

std::optional<std::string> Format(const std::string& folderTemplate, int32_t major) {
  std::string result;
  result.reserve(folderTemplate.size() + 8);
  for (size_t i = 0; i < folderTemplate.size(); ++i) {
    const char c = folderTemplate[i];
    if (c != '%') {
      result += c;
      continue;
    }
    const char directive = i + 1 < folderTemplate.size() ? folderTemplate[i + 1] : '\0';
    if (directive == 'd') {
      result += std::to_string(major);
    } else if (directive == '%') {
      result += '%';
    } else {
      return std::nullopt;
    }
    ++i;
  }
  return result;
}

}  // namespace

bool IsValidFolderTemplate(const std::string& folderTemplate) { return Format(folderTemplate, 0).has_value(); }

std::string FormatFolderTemplate(const std::string& folderTemplate, int32_t major) {
  std::optional<std::string> result = Format(folderTemplate, major);
  if (!result)
    throw Exception(std::string("Invalid configuration in Setup.ini: the ") + setup_ini::kDefaultFolder + " \"" +
                    folderTemplate +
                    "\" may only use %d for the major version and %% for a percent sign");
  return *result;
}
