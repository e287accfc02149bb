// Opening the package of a setup executable or a bare package file for
// inspection, found and verified exactly as the setup program does it.
#pragma once

#include <filesystem>
#include <memory>

#include "package/package_reader.h"
#include "common/stream.h"

struct TOpenedPackage {
  std::unique_ptr<TStream> Stream;
  TPackageInfo Info;
};

// A file that starts with "MZ" is a setup executable, whose package the
// package library's locator finds as the setup program does (appended, or
// "Setup.dat" beside it). Any other file is read as a bare package. Raises
// the file layer's open error or VerifyPackage's error unchanged, so that
// callers report what a user's setup would.
TOpenedPackage OpenPackageFile(const std::filesystem::path& file);
