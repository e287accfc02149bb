// Opening the package of a setup executable or a bare package file for
// inspection, found and verified exactly as the setup program does it.
#pragma once

#include <filesystem>
#include <memory>

#include "package/package_reader.h"
#include "platform/host/host_file_stream.h"

struct TOpenedPackage {
  std::unique_ptr<THostFileStream> Stream;
  TPackageInfo Info;
};

// A file that starts with "MZ" is a setup executable: its DOS header word 48
// gives the package's offset, and 0 or less means the package is the file
// "Setup.dat" beside it. Any other file is read as a bare package. Raises
// the file layer's open error or VerifyPackage's error unchanged, so that
// callers report what a user's setup would.
TOpenedPackage OpenPackageFile(const std::filesystem::path& file);
