// Finding the package of the running executable.
#pragma once

#include <cstdint>
#include <memory>

#include "common/stream.h"

class FileSystem;

// A stream positioned at the package's first byte: the running executable at
// the offset in its DOS header word 48, or "Setup.dat" in the executable's
// folder from offset 0 when that word is 0 or less. Positions stay absolute.
std::unique_ptr<TStream> OpenPackage(FileSystem& files);

// The int32 at a file offset of the executable's DOS header.
int32_t ReadHeaderWord(TStream& executable, int offset);
