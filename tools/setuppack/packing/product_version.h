// The product version a package is built with.
#pragma once

#include <optional>
#include <string>

#include "common/program_version.h"

// The version from the --product-version text when given, else from the
// [Setup] key ProductVersion of the Setup.ini text (read with the setup's own
// INI rules; the setup itself ignores that key). Raises Exception when
// neither gives a text; when the text is no version number, the parser's
// message prefixed with where the text came from, as EUsageError for the
// option and Exception for Setup.ini.
TProgramVersion ChooseProductVersion(const std::optional<std::string>& option, const std::string& setupIni);
