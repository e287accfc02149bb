#include "packing/pe_stub.h"

#include <cstring>
#include <limits>

#include "common/errors.h"
#include "common/stream.h"
#include "package/package_format.h"

namespace pf = package_format;

namespace {

constexpr size_t kDosHeaderSize = 64;
constexpr size_t kNewHeaderOffsetField = 0x3C;  // e_lfanew
constexpr size_t kFileHeaderSize = 20;          // after "PE\0\0"
constexpr uint16_t kPe32Magic = 0x10B, kPe32PlusMagic = 0x20B;
constexpr uint32_t kSecurityDirectory = 4;

uint16_t LoadUInt16(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | bytes[1] << 8); }

// Whether the optional header names a certificate table. A header too short
// to hold that directory has none.
bool HasCertificateTable(const std::vector<uint8_t>& stub, size_t peOffset) {
  const size_t optional = peOffset + 4 + kFileHeaderSize;
  if (optional + 2 > stub.size()) return false;
  const uint16_t magic = LoadUInt16(stub.data() + optional);
  const size_t countField = optional + (magic == kPe32PlusMagic ? 108 : 92);
  if ((magic != kPe32Magic && magic != kPe32PlusMagic) || countField + 4 > stub.size()) return false;
  const uint32_t directories = LoadUInt32(stub.data() + countField);
  const size_t entry = countField + 4 + kSecurityDirectory * 8;
  if (directories <= kSecurityDirectory || entry + 8 > stub.size()) return false;
  return LoadUInt32(stub.data() + entry) != 0 && LoadUInt32(stub.data() + entry + 4) != 0;
}

}  // namespace

void CheckBareStub(const std::vector<uint8_t>& stub, const std::string& shownPath) {
  const std::string name = "\"" + shownPath + "\"";
  if (stub.size() < kDosHeaderSize || stub[0] != 'M' || stub[1] != 'Z')
    throw Exception("The stub " + name + " is not a Windows program (no MZ header)");
  // The PE header must lie after the DOS header, or the words this tool
  // writes would overwrite it.
  const uint32_t peOffset = LoadUInt32(stub.data() + kNewHeaderOffsetField);
  if (peOffset < kDosHeaderSize || peOffset > stub.size() - 4 ||
      std::memcmp(stub.data() + peOffset, "PE\0\0", 4) != 0)
    throw Exception("The stub " + name + " is not a Windows PE program");
  if (stub.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    throw Exception("The stub " + name + " is 2 GiB or larger");
  if (LoadInt32(stub.data() + pf::kRunModeWord) == pf::kUninstallerRunMode)
    throw Exception("The stub " + name + " is an uninstaller copy (Uninst.exe); use the bare Setup.exe stub");
  if (LoadInt32(stub.data() + pf::kPackageOffsetWord) > 0)
    throw Exception("The stub " + name + " already carries a package; use the bare Setup.exe stub");
  if (HasCertificateTable(stub, peOffset))
    throw Exception("The stub " + name +
                    " is code-signed, and appending a package would break the signature; "
                    "use the unsigned stub and sign the finished setup");
}

void PointStubAtPackage(std::vector<uint8_t>& stub, int32_t packageOffset) {
  StoreInt32(stub.data() + pf::kPackageOffsetWord, packageOffset);
  StoreInt32(stub.data() + pf::kRunModeWord, 0);
}
