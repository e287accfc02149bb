// Finding the package of the running executable.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/stream.h"

class FileSystem;

// A stream positioned at the package's first byte: the running executable at
// the offset in its DOS header word 48, or "Setup.dat" in the executable's
// folder from offset 0 when that word is 0 or less. Positions stay absolute.
std::unique_ptr<TStream> OpenPackage(FileSystem& files);

// The int32 at a file offset of the executable's DOS header.
int32_t ReadHeaderWord(TStream& executable, int offset);

// A setup executable's appended data, wherever the executable is: the
// executable itself positioned at the offset in its DOS header word 48 when
// that word is greater than 0, else what openSideFile opens (the side file
// beside it), from offset 0.
std::unique_ptr<TStream> LocateAppendedData(std::unique_ptr<TStream> executable,
                                            const std::function<std::unique_ptr<TStream>()>& openSideFile);

// The running executable positioned at the offset in its DOS header word 48
// when that word is greater than 0, else the side file of that name in the
// executable's folder from offset 0: where both the package and the
// uninstall record are found.
std::unique_ptr<TStream> OpenAppendedData(FileSystem& files, const std::string& sideFileName);
