// Verification throughput: VerifyPackage reading the package file through
// THostFileStream, against zlib's adler32() over the same bytes already in
// memory, the most any verification can reach.
#pragma once

#include <filesystem>
#include <ostream>

void RunVerifyBench(std::ostream& out, const std::filesystem::path& package, int rounds);
