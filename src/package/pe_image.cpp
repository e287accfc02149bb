#include "package/pe_image.h"

#include "common/stream.h"

namespace {

constexpr size_t kLfanewOffset = 0x3C;
constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr uint32_t kSecurityDirectory = 4;

uint16_t LoadUInt16(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | bytes[1] << 8); }

}  // namespace

std::optional<TCertificateDirectory> FindCertificateDirectory(const uint8_t* bytes, size_t size) {
  if (size < kLfanewOffset + 4 || bytes[0] != 'M' || bytes[1] != 'Z') return std::nullopt;
  const uint32_t pe = LoadUInt32(bytes + kLfanewOffset);
  // Signature (4) + file header (20) + at least the optional header's magic.
  if (pe > size || size - pe < 4 + 20 + 2) return std::nullopt;
  if (bytes[pe] != 'P' || bytes[pe + 1] != 'E' || bytes[pe + 2] != 0 || bytes[pe + 3] != 0) return std::nullopt;
  const size_t optional = pe + 24;
  const uint16_t optionalSize = LoadUInt16(bytes + pe + 20);
  const uint16_t magic = LoadUInt16(bytes + optional);
  size_t countOffset, directories;
  if (magic == kPe32Magic) {
    countOffset = 92;
    directories = 96;
  } else if (magic == kPe32PlusMagic) {
    countOffset = 108;
    directories = 112;
  } else {
    return std::nullopt;
  }
  const size_t entry = directories + kSecurityDirectory * 8;
  if (optionalSize < entry + 8 || size - optional < entry + 8) return std::nullopt;
  if (LoadUInt32(bytes + optional + countOffset) <= kSecurityDirectory) return std::nullopt;
  TCertificateDirectory found;
  found.EntryOffset = optional + entry;
  found.TableOffset = LoadUInt32(bytes + found.EntryOffset);
  found.TableSize = LoadUInt32(bytes + found.EntryOffset + 4);
  return found;
}
