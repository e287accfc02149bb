// A registry in memory that behaves like Windows' where the logic can tell:
// key paths compare without regard to case, values are typed and a string
// read of an integer value fails, a key opened read-only cannot be written,
// deleting a key takes its sub-keys along, and keys can be made to refuse
// access the way a protected key does for a user without rights.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

enum class RegistryValueType { String, Integer };

class TMemoryRegistry : public Registry {
 public:
  struct Value {
    std::string Name;  // as written; "" is the default value
    RegistryValueType Type = RegistryValueType::String;
    std::string Text;
    int32_t Number = 0;
  };
  struct Key {
    std::string Path;                  // as created, without a leading "\"
    std::vector<std::string> SubKeys;  // names as created, in listing order
    std::vector<Value> Values;         // in the order first written
  };

  TMemoryRegistry();

  // Paths may begin with "\" or not: both are taken from the root. Empty
  // parts ("a\\b", a trailing "\") are ignored; "" is the root itself.
  std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path, KeyAccess access,
                                       bool create) override;
  // False when the key is a root, absent, or it or a key below it refuses.
  bool DeleteKey(RegistryRoot root, const std::string& path) override;

  // Set-up. Keys are made with their parents.
  void AddKey(RegistryRoot root, const std::string& path);
  void SetString(RegistryRoot root, const std::string& path, const std::string& name, const std::string& value);
  void SetInteger(RegistryRoot root, const std::string& path, const std::string& name, int32_t value);
  // The key and every key below it (also ones made later) refuse full access,
  // creation and deletion; they still open read-only.
  void DenyAccess(RegistryRoot root, const std::string& path);
  // The key and every key below it refuse to open at all.
  void DenyOpen(RegistryRoot root, const std::string& path);
  // The key opens with full access, but every value write raises.
  void FailWrites(RegistryRoot root, const std::string& path);
  // The order SubKeyNames gives: these names first, in this order, then the
  // other sub-keys in the order they were made.
  void SetSubKeyOrder(RegistryRoot root, const std::string& path, const std::vector<std::string>& names);

  // Inspection.
  bool KeyExists(RegistryRoot root, const std::string& path) const;
  std::optional<RegistryValueType> ValueType(RegistryRoot root, const std::string& path,
                                             const std::string& name) const;
  // nullopt when the value is absent or of the other type.
  std::optional<std::string> StringValue(RegistryRoot root, const std::string& path, const std::string& name) const;
  std::optional<int32_t> IntegerValue(RegistryRoot root, const std::string& path, const std::string& name) const;
  // Sub-key names in listing order; empty when the key is absent.
  std::vector<std::string> SubKeyNames(RegistryRoot root, const std::string& path) const;
  // Every key and value, one a line, sorted by key, for comparing the whole
  // registry before and after: "HKLM\Software\Vendor", then lines such as
  // "  Location = "C:\P"" and "  Flags = dword:3"; the default value is "@".
  std::string Dump() const;
  // OpenKey calls so far, whether they succeeded or not.
  int OpenCount() const { return openCount_; }

 private:
  friend class TMemoryRegistryKey;
  using Id = std::pair<RegistryRoot, std::string>;  // root and upper-case path

  static std::string Normalize(const std::string& path);
  static Id IdOf(RegistryRoot root, const std::string& path);
  static bool Covers(const std::set<Id>& prefixes, const Id& id);
  const Key* Find(const Id& id) const;
  Key* Find(const Id& id);
  // Makes the key and its missing parents.
  Key& Make(RegistryRoot root, const std::string& normalizedPath);
  Value& Slot(Key& key, const std::string& name);
  const Value* FindValue(RegistryRoot root, const std::string& path, const std::string& name) const;

  std::map<Id, Key> keys_;
  std::set<Id> deniedAccess_, deniedOpen_, failingWrites_;
  int openCount_ = 0;
};
