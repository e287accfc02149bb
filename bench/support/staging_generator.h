// Writing the benchmark's product tree (staging_layout) to disk, once: a tree
// that is complete and of the current layout version is reused, since making
// 200 MB costs more than most of the measurements.
#pragma once

#include <filesystem>

// Whether root holds a complete tree of the current layout version. The
// proof is a marker file beside root ("<root>.complete"), never inside it,
// because everything inside would be packed.
bool IsStagingTreeComplete(const std::filesystem::path& root);

// Makes the tree at root unless it is complete already; answers whether it
// had to. A tree cut short by an earlier failure is thrown away, since it is
// written to "<root>.partial" first and renamed only once complete. Raises
// std::runtime_error or std::filesystem::filesystem_error on failure.
bool EnsureStagingTree(const std::filesystem::path& root);
