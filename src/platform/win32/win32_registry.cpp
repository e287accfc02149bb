#include "platform/win32/win32_registry.h"

#include <algorithm>

#include "common/errors.h"

namespace {

HKEY RootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser:
      return HKEY_CURRENT_USER;
    case RegistryRoot::LocalMachine:
      break;
  }
  return HKEY_LOCAL_MACHINE;
}

// Keys are always opened from the root, so the leading "\" that says so is
// dropped before the path reaches the API.
std::string KeyPathBelowRoot(const std::string& path) {
  return !path.empty() && path.front() == '\\' ? path.substr(1) : path;
}

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

std::unique_ptr<TWin32RegistryKey> OpenExisting(HKEY parent, const std::string& path, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(parent, path.c_str(), 0, access, &key) != ERROR_SUCCESS) return nullptr;
  return std::make_unique<TWin32RegistryKey>(key);
}

// Deletes parent\path and everything below it, the deepest keys first.
// RegDeleteTreeA would do this in one call, but Windows XP lacks it.
void DeleteTree(HKEY parent, const std::string& path) {
  if (auto key = OpenExisting(parent, path, KEY_READ)) {
    for (const std::string& child : key->SubKeyNames()) DeleteTree(key->Get(), child);
  }
  RegDeleteKeyA(parent, path.c_str());
}

}  // namespace

std::vector<std::string> TWin32RegistryKey::SubKeyNames() {
  std::vector<std::string> names;
  char name[256];  // a key name has at most 255 characters
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key_, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, length);
  }
  return names;
}

std::string TWin32RegistryKey::ReadString(const std::string& name) {
  std::string data(256, '\0');
  DWORD type = REG_NONE, size = static_cast<DWORD>(data.size());
  LONG status = RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
  // A longer value answers with its size; it may grow again before the next
  // read, so a few rounds are allowed, not an endless race.
  for (int round = 0; status == ERROR_MORE_DATA && IsText(type) && round < 4; ++round) {
    data.assign(size, '\0');
    status = RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
  }
  if (status == ERROR_FILE_NOT_FOUND) return std::string();
  if ((status == ERROR_SUCCESS || status == ERROR_MORE_DATA) && !IsText(type))
    throw ERegistryException("Invalid data type for '" + name + "'");
  if (status != ERROR_SUCCESS) throw ERegistryException("Failed to get data for '" + name + "'");
  data.resize(size);
  data.erase(std::find(data.begin(), data.end(), '\0'), data.end());
  return data;
}

void TWin32RegistryKey::WriteString(const std::string& name, const std::string& value) {
  if (RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for '" + name + "'");
}

void TWin32RegistryKey::WriteInteger(const std::string& name, int32_t value) {
  const DWORD data = static_cast<DWORD>(value);
  if (RegSetValueExA(key_, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) !=
      ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for '" + name + "'");
}

std::unique_ptr<RegistryKey> TWin32Registry::OpenKey(RegistryRoot root, const std::string& path, KeyAccess access,
                                                     bool create) {
  const REGSAM rights = access == KeyAccess::Full ? KEY_ALL_ACCESS : KEY_READ;
  const std::string below = KeyPathBelowRoot(path);
  if (!create) return OpenExisting(RootKey(root), below, rights);
  HKEY key = nullptr;
  if (RegCreateKeyExA(RootKey(root), below.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, rights, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return nullptr;
  return std::make_unique<TWin32RegistryKey>(key);
}

bool TWin32Registry::DeleteKey(RegistryRoot root, const std::string& path) {
  if (path.find_first_not_of('\\') == std::string::npos) return false;
  const std::string below = KeyPathBelowRoot(path);
  DeleteTree(RootKey(root), below);
  HKEY probe = nullptr;
  const LONG status = RegOpenKeyExA(RootKey(root), below.c_str(), 0, KEY_READ, &probe);
  if (status == ERROR_SUCCESS) RegCloseKey(probe);
  return status == ERROR_FILE_NOT_FOUND;
}
