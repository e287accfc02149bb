#include "common/file_enumerator.h"

namespace {

// The attributes that keep an entry out of a search unless the mask asks for
// them; the others never do.
constexpr uint32_t kSelective =
    file_attribute::kHidden | file_attribute::kSystem | file_attribute::kVolume | file_attribute::kDirectory;

}  // namespace

TFileEnumerator::TFileEnumerator(FileSystem& files, const std::string& mask, uint32_t attributeMask)
    : search_(files.FindFirst(mask)), excluded_(kSelective & ~attributeMask) {
  if (search_ && !Listed(search_->Current()) && !Advance()) search_.reset();
}

bool TFileEnumerator::Listed(const TFindEntry& entry) const { return (entry.Attributes & excluded_) == 0; }

bool TFileEnumerator::Advance() {
  while (search_->Next())
    if (Listed(search_->Current())) return true;
  search_.reset();
  return false;
}

bool TFileEnumerator::Next() {
  if (!search_) {
    current_ = false;
  } else if (first_) {
    first_ = false;
    current_ = true;
  } else {
    current_ = Advance();
  }
  return current_;
}

std::string TFileEnumerator::Name() const { return current_ ? search_->Current().Name : std::string(); }

bool TFileEnumerator::HasAttribute(uint32_t mask) const {
  return current_ && (search_->Current().Attributes & mask) != 0;
}
