// Arbitrary settings files for the INI reader, and the same bytes as a
// "BundleInfo.ini" and as a DefaultFolder template.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/text.h"
#include "setuplogic/bundle_info.h"
#include "setuplogic/folder_template.h"
#include "setuplogic/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = SplitLines(text);
  const TIniFile ini(lines);
  ini.ReadString("Setup", "ProductName", "");
  ini.ReadBool("Setup", "IsBundle", false);
  ini.ReadList("Components");
  ParseBundleInfo(lines);
  if (IsValidFolderTemplate(text)) FormatFolderTemplate(text, -2147483647 - 1);
  return 0;
}
