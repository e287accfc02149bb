// The baseline of every extraction benchmark: what a program that already
// knows where each stream lies does with zlib and the C library alone. One
// input and one output buffer of 64 KiB, inflateInit / inflate / fwrite per
// file, no checks beyond zlib's own. An extraction path that keeps up with
// this has nothing left to gain but from zlib itself or from the disk.
#pragma once

#include <filesystem>

#include "support/package_contents.h"

inline constexpr size_t kPlainBufferSize = 64 * 1024;

// Makes every folder of contents below destination (which must exist) and
// inflates every file from the package file into it. Raises
// std::runtime_error when a file cannot be read, written or inflated.
void PlainInflateToDisk(const std::filesystem::path& package, const TPackageContents& contents,
                        const std::filesystem::path& destination);
