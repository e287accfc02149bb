#include "packing/product_version.h"

#include "common/errors.h"
#include "common/text.h"
#include "setuplogic/ini_file.h"
#include "usage_error.h"

TProgramVersion ChooseProductVersion(const std::optional<std::string>& option, const std::string& setupIni) {
  std::string text, origin;
  if (option) {
    text = *option;
    origin = "--product-version";
  } else {
    text = TIniFile(SplitLines(setupIni)).ReadString("Setup", "ProductVersion", "");
    origin = "Setup.ini [Setup] ProductVersion";
    if (text.empty())
      throw Exception("Setup.ini names no product version: add ProductVersion=1.00 (say) to its [Setup] "
                      "section, or give --product-version");
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
