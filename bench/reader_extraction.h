// The candidate of the native extraction benchmark: every entry of a package
// written to disk the way the setup's own code reads packages, walking each
// level with TPackageLevel and inflating each file with InflateEntry into a
// THostFileStream.
#pragma once

#include <filesystem>

struct TPackageInfo;

// Extracts every component and support file of the verified package below
// destination (which must exist). Raises the reader's and the file layer's
// errors.
void ExtractWithPackageReader(const std::filesystem::path& package, const TPackageInfo& info,
                              const std::filesystem::path& destination);
