// Walks the entries of one folder that match a mask such as C:\Dir\*.lnk.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/file_system.h"

// Lists the entries the way a Windows search with an attribute mask does:
// normal, read-only and archive entries always; hidden, system, volume-label
// and directory entries (also "." and "..") only when their attribute is in
// the mask. Never descends into subfolders. The search is closed when it ends
// or when the enumerator goes.
class TFileEnumerator {
 public:
  TFileEnumerator(FileSystem& files, const std::string& mask, uint32_t attributeMask);
  TFileEnumerator(const TFileEnumerator&) = delete;
  TFileEnumerator& operator=(const TFileEnumerator&) = delete;

  // Makes the next listed entry current (the first one on the first call);
  // false once there is none, and on every call after that.
  bool Next();
  // The current entry's name without its folder; empty when none is current.
  std::string Name() const;
  // An entry is current and has at least one of the attributes in mask.
  bool HasAttribute(uint32_t mask) const;

 private:
  bool Listed(const TFindEntry& entry) const;
  // Moves the search to the next listed entry; closes it when there is none.
  bool Advance();

  std::unique_ptr<FileSearch> search_;
  uint32_t excluded_;
  bool first_ = true;
  bool current_ = false;
};
