// Arbitrary texts and version blocks for the version parser and reader.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/errors.h"
#include "common/program_version.h"
#include "common/stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TProgramVersion version;
  try {
    version.ParseVersion(std::string(reinterpret_cast<const char*>(data), size));
    version.VersionText();
  } catch (const Exception&) {
  }
  TMemoryStream stream(std::vector<uint8_t>(data, data + size));
  try {
    version.ReadVersion(stream);
    CompareVersions(version, TProgramVersion());
    version.VersionText();
  } catch (const Exception&) {
  }
  return 0;
}
