// Reading a vendor's staging folder into the entries of a package.
//
// Top-level folders become components, top-level files support files; deeper
// folders nest. Every name is converted to Windows-1252 and checked against
// what Windows can create, every entry must be a plain file or folder, and
// each level is sorted (folders first, then files, by EntryNameLess) so that
// the same tree always gives the same package.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "package/package_writer.h"
#include "packing/stamp.h"

struct TStagingTree {
  std::vector<TPackageItem> TopLevel;
  uint64_t Entries = 0;     // files and folders at every level
  uint64_t InputBytes = 0;  // the files' total size
};

// Reads the tree below root. Raises Exception naming the offending path (as
// a "/"-separated path below root) for a name that cannot be stored or
// collides with a sibling, a symbolic link or special file, a file of 2 GiB
// or more, folders nested too deeply, or a folder that cannot be read.
// FileTime of each file is EntryFileTime of its modification time.
TStagingTree ReadStagingTree(const std::filesystem::path& root, const TStamp& stamp);

// The top-level support file of that name (A-Z case-insensitive), or nullptr.
const TPackageItem* FindTopLevelFile(const TStagingTree& tree, const std::string& name);
