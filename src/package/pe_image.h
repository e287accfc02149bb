// Reading the few fields of a Windows executable's PE header that the
// uninstaller copy has to mend.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// Where the certificate-table entry of the data directories lies in the file,
// and what it holds. Only the security entry (index 4) is of interest: its
// offset is a file offset, not an address.
struct TCertificateDirectory {
  size_t EntryOffset = 0;  // file offset of the 8-byte directory entry
  uint32_t TableOffset = 0;
  uint32_t TableSize = 0;
};

// The certificate directory of a PE32 or PE32+ image whose first bytes are
// given; nullopt when the bytes are no PE image or the entry does not exist.
std::optional<TCertificateDirectory> FindCertificateDirectory(const uint8_t* bytes, size_t size);
