#include "packing/product_version.h"

#include "common/errors.h"
#include "common/text.h"
#include "setuplogic/ini_file.h"
#include "setuplogic/setup_ini_schema.h"
#include "usage_error.h"

TProgramVersion ChooseProductVersion(const std::optional<std::string>& option, const std::string& setupIni) {
  std::string text, origin;
  if (option) {
    text = *option;
    origin = "--product-version";
  } else {
    using namespace setup_ini;
    text = TIniFile(SplitLines(setupIni)).ReadString(kSetup, kProductVersion, "");
    origin = "Setup.ini " + KeyReference(kSetup, kProductVersion);
    if (text.empty())
      throw Exception(std::string("Setup.ini names no product version: add ") + kProductVersion + "=1.00 (say) to its [" +
                      kSetup + "] section, or give --product-version");
  }
  TProgramVersion version;
  try {
    version.ParseVersion(text);
  } catch (const EProgramVersionError& e) {
    if (option) throw EUsageError(origin + ": " + e.Message());
    throw Exception(origin + ": " + e.Message());
  }
  return version;
}
