// Whether a package's data matches the checksum in its header. The setup
// program and setuppack link the real comparison (package_checksum.cpp); the
// fuzz build links one that accepts any checksum, so that the fuzzer reaches
// the structure behind it instead of stopping at the first changed byte.
#pragma once

#include <cstdint>

bool PackageChecksumMatches(uint32_t computed, uint32_t recorded);
