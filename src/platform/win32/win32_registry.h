// The registry through the Windows API (ANSI calls), in the process's own
// view: no KEY_WOW64_* flags, so a 32-bit setup sees what 32-bit programs see.
#pragma once

#include <windows.h>

#include "platform/registry.h"

// An open key, closed when this goes.
class TWin32RegistryKey : public RegistryKey {
 public:
  explicit TWin32RegistryKey(HKEY key) : key_(key) {}
  ~TWin32RegistryKey() override { RegCloseKey(key_); }
  TWin32RegistryKey(const TWin32RegistryKey&) = delete;
  TWin32RegistryKey& operator=(const TWin32RegistryKey&) = delete;

  HKEY Get() const { return key_; }

  // In the order the registry lists them; a listing that fails midway gives
  // the names listed so far.
  std::vector<std::string> SubKeyNames() override;
  // REG_SZ and REG_EXPAND_SZ give their text as stored (not expanded), up to
  // the first terminator.
  std::string ReadString(const std::string& name) override;
  // REG_SZ.
  void WriteString(const std::string& name, const std::string& value) override;
  // REG_DWORD.
  void WriteInteger(const std::string& name, int32_t value) override;

 private:
  HKEY key_;
};

class TWin32Registry : public Registry {
 public:
  // Read is KEY_READ, Full is KEY_ALL_ACCESS; creating uses RegCreateKeyExA.
  std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path, KeyAccess access,
                                       bool create) override;
  // True when the key is gone afterwards, also when it was never there. A
  // path that names the root itself is refused (false): a damaged record must
  // not be able to empty a whole hive.
  bool DeleteKey(RegistryRoot root, const std::string& path) override;
};
