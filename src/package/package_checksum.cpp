#include "package/package_checksum.h"

bool PackageChecksumMatches(uint32_t computed, uint32_t recorded) { return computed == recorded; }
