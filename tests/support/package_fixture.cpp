#include "package_fixture.h"

#include "package/adler32.h"
#include "package/uninstall_record.h"

std::vector<uint8_t> BuildPackage(const std::vector<TPackageItem>& items, const std::string& version, double stamp) {
  TPackageOptions options;
  options.Version.ParseVersion(version);
  options.Stamp = stamp;
  TMemoryStream out;
  WritePackage(out, items, options);
  return out.Bytes();
}

void FixChecksum(std::vector<uint8_t>& bytes, size_t start) {
  const int32_t dataLength = LoadInt32(bytes.data() + start + 8);
  const size_t available = bytes.size() - start - 28;
  const size_t count = static_cast<size_t>(dataLength) < available ? static_cast<size_t>(dataLength) : available;
  StoreUInt32(bytes.data() + start + 12, Adler32(1, bytes.data() + start + 28, count));
}

std::vector<uint8_t> SetupExecutable(const std::vector<uint8_t>& package, size_t stubSize) {
  std::vector<uint8_t> exe(stubSize);
  for (size_t i = 0; i < stubSize; ++i) exe[i] = static_cast<uint8_t>(i * 7);
  exe[0] = 'M';
  exe[1] = 'Z';
  StoreInt32(exe.data() + 48, static_cast<int32_t>(stubSize));
  StoreInt32(exe.data() + 52, 0);
  exe.insert(exe.end(), package.begin(), package.end());
  return exe;
}

std::vector<uint8_t> UninstallerCopy(const std::vector<std::string>& items, const std::string& data,
                                     const std::string& version) {
  std::vector<uint8_t> exe(512, 0);
  exe[0] = 'M';
  exe[1] = 'Z';
  StoreInt32(exe.data() + 48, 512);
  StoreInt32(exe.data() + 52, 1);
  TProgramVersion v;
  v.ParseVersion(version);
  TMemoryStream record;
  WriteUninstallRecord(record, v, items, reinterpret_cast<const uint8_t*>(data.data()), data.size());
  exe.insert(exe.end(), record.Bytes().begin(), record.Bytes().end());
  return exe;
}
