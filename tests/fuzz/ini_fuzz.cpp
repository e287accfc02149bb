// Arbitrary settings files for the INI reader.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/text.h"
#include "setuplogic/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TIniFile ini(SplitLines(std::string(reinterpret_cast<const char*>(data), size)));
  ini.ReadString("Setup", "ProductName", "");
  ini.ReadBool("Setup", "IsBundle", false);
  ini.ReadList("Components");
  return 0;
}
