// The registry, in the process's own view. Key paths use "\"; a leading "\"
// means "from the root", which is the only way keys are ever opened.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

enum class RegistryRoot { ClassesRoot, CurrentUser, LocalMachine };
enum class KeyAccess { Read, Full };

class RegistryKey {
 public:
  virtual ~RegistryKey() = default;
  virtual std::vector<std::string> SubKeyNames() = 0;
  // Empty when the value is absent; ERegistryException when it holds another
  // type than a string.
  virtual std::string ReadString(const std::string& name) = 0;
  // ERegistryException when the value cannot be written.
  virtual void WriteString(const std::string& name, const std::string& value) = 0;
  virtual void WriteInteger(const std::string& name, int32_t value) = 0;
};

class Registry {
 public:
  virtual ~Registry() = default;
  // The key, or nullptr when it does not open (or cannot be created).
  virtual std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path, KeyAccess access,
                                               bool create) = 0;
  // Deletes a key with all its sub-keys.
  virtual bool DeleteKey(RegistryRoot root, const std::string& path) = 0;
};
