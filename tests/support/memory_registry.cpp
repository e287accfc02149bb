#include "memory_registry.h"

#include <algorithm>

#include "common/errors.h"
#include "common/text.h"

namespace {

const char* RootName(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot: return "HKCR";
    case RegistryRoot::CurrentUser: return "HKCU";
    case RegistryRoot::LocalMachine: return "HKLM";
  }
  return "?";
}

std::string ParentPath(const std::string& path) {
  const size_t at = path.rfind('\\');
  return at == std::string::npos ? std::string() : path.substr(0, at);
}

std::string LastName(const std::string& path) {
  const size_t at = path.rfind('\\');
  return at == std::string::npos ? path : path.substr(at + 1);
}

bool IsBelow(const std::string& path, const std::string& prefix) {
  return prefix.empty() || path == prefix || StartsWith(path, prefix + "\\");
}

}  // namespace

// An open key. It names its key rather than holding it, so that a key deleted
// while open behaves as Windows' does: reads find nothing, writes fail.
class TMemoryRegistryKey : public RegistryKey {
 public:
  TMemoryRegistryKey(TMemoryRegistry& owner, TMemoryRegistry::Id id, bool writable)
      : owner_(owner), id_(std::move(id)), writable_(writable) {}

  std::vector<std::string> SubKeyNames() override {
    const TMemoryRegistry::Key* key = owner_.Find(id_);
    return key ? key->SubKeys : std::vector<std::string>();
  }

  std::string ReadString(const std::string& name) override {
    const TMemoryRegistry::Key* key = owner_.Find(id_);
    if (key == nullptr) return std::string();
    for (const auto& value : key->Values) {
      if (!SameText(value.Name, name)) continue;
      if (value.Type != RegistryValueType::String) throw ERegistryException("Invalid data type for '" + name + "'");
      return value.Text;
    }
    return std::string();
  }

  void WriteString(const std::string& name, const std::string& text) override {
    TMemoryRegistry::Value& value = Writable(name);
    value.Type = RegistryValueType::String;
    value.Text = text;
    value.Number = 0;
  }

  void WriteInteger(const std::string& name, int32_t number) override {
    TMemoryRegistry::Value& value = Writable(name);
    value.Type = RegistryValueType::Integer;
    value.Text.clear();
    value.Number = number;
  }

 private:
  TMemoryRegistry::Value& Writable(const std::string& name) {
    TMemoryRegistry::Key* key = owner_.Find(id_);
    if (!writable_ || key == nullptr || TMemoryRegistry::Covers(owner_.failingWrites_, id_))
      throw ERegistryException("Failed to set data for '" + name + "'");
    return owner_.Slot(*key, name);
  }

  TMemoryRegistry& owner_;
  TMemoryRegistry::Id id_;
  bool writable_;
};

TMemoryRegistry::TMemoryRegistry() {
  for (RegistryRoot root : {RegistryRoot::ClassesRoot, RegistryRoot::CurrentUser, RegistryRoot::LocalMachine})
    keys_[{root, ""}] = Key{};
}

std::string TMemoryRegistry::Normalize(const std::string& path) {
  std::string result, part;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\') {
      if (!part.empty()) result += (result.empty() ? "" : "\\") + part;
      part.clear();
    } else {
      part += path[i];
    }
  }
  return result;
}

TMemoryRegistry::Id TMemoryRegistry::IdOf(RegistryRoot root, const std::string& path) {
  return {root, UpperCaseAscii(Normalize(path))};
}

bool TMemoryRegistry::Covers(const std::set<Id>& prefixes, const Id& id) {
  return std::any_of(prefixes.begin(), prefixes.end(),
                     [&](const Id& prefix) { return prefix.first == id.first && IsBelow(id.second, prefix.second); });
}

const TMemoryRegistry::Key* TMemoryRegistry::Find(const Id& id) const {
  auto it = keys_.find(id);
  return it == keys_.end() ? nullptr : &it->second;
}

TMemoryRegistry::Key* TMemoryRegistry::Find(const Id& id) {
  auto it = keys_.find(id);
  return it == keys_.end() ? nullptr : &it->second;
}

TMemoryRegistry::Key& TMemoryRegistry::Make(RegistryRoot root, const std::string& normalizedPath) {
  const Id id{root, UpperCaseAscii(normalizedPath)};
  if (Key* existing = Find(id)) return *existing;
  Key& parent = Make(root, ParentPath(normalizedPath));
  parent.SubKeys.push_back(LastName(normalizedPath));
  Key& key = keys_[id];
  key.Path = normalizedPath;
  return key;
}

TMemoryRegistry::Value& TMemoryRegistry::Slot(Key& key, const std::string& name) {
  for (auto& value : key.Values)
    if (SameText(value.Name, name)) return value;
  Value& value = key.Values.emplace_back();
  value.Name = name;
  return value;
}

std::unique_ptr<RegistryKey> TMemoryRegistry::OpenKey(RegistryRoot root, const std::string& path, KeyAccess access,
                                                      bool create) {
  ++openCount_;
  const Id id = IdOf(root, path);
  if (Covers(deniedOpen_, id)) return nullptr;
  if (Find(id) == nullptr) {
    if (!create || Covers(deniedAccess_, id)) return nullptr;
    Make(root, Normalize(path));
  } else if (access == KeyAccess::Full && Covers(deniedAccess_, id)) {
    return nullptr;
  }
  return std::make_unique<TMemoryRegistryKey>(*this, id, access == KeyAccess::Full);
}

bool TMemoryRegistry::DeleteKey(RegistryRoot root, const std::string& path) {
  const Id id = IdOf(root, path);
  if (id.second.empty() || Find(id) == nullptr) return false;
  for (const auto& [other, key] : keys_) {
    if (other.first != root || !IsBelow(other.second, id.second)) continue;
    if (Covers(deniedAccess_, other) || Covers(deniedOpen_, other)) return false;
  }
  std::erase_if(keys_,
                [&](const auto& entry) { return entry.first.first == root && IsBelow(entry.first.second, id.second); });
  Key* parent = Find({root, ParentPath(id.second)});
  const std::string name = LastName(id.second);
  std::erase_if(parent->SubKeys, [&](const std::string& subKey) { return SameText(subKey, name); });
  return true;
}

void TMemoryRegistry::AddKey(RegistryRoot root, const std::string& path) { Make(root, Normalize(path)); }

void TMemoryRegistry::SetString(RegistryRoot root, const std::string& path, const std::string& name,
                                const std::string& text) {
  Value& value = Slot(Make(root, Normalize(path)), name);
  value.Type = RegistryValueType::String;
  value.Text = text;
  value.Number = 0;
}

void TMemoryRegistry::SetInteger(RegistryRoot root, const std::string& path, const std::string& name, int32_t number) {
  Value& value = Slot(Make(root, Normalize(path)), name);
  value.Type = RegistryValueType::Integer;
  value.Text.clear();
  value.Number = number;
}

void TMemoryRegistry::DenyAccess(RegistryRoot root, const std::string& path) { deniedAccess_.insert(IdOf(root, path)); }

void TMemoryRegistry::DenyOpen(RegistryRoot root, const std::string& path) { deniedOpen_.insert(IdOf(root, path)); }

void TMemoryRegistry::FailWrites(RegistryRoot root, const std::string& path) {
  failingWrites_.insert(IdOf(root, path));
}

void TMemoryRegistry::SetSubKeyOrder(RegistryRoot root, const std::string& path,
                                     const std::vector<std::string>& names) {
  Key& key = Make(root, Normalize(path));
  std::vector<std::string> ordered;
  auto listed = [&](const std::string& name) {
    return std::any_of(ordered.begin(), ordered.end(), [&](const std::string& n) { return SameText(n, name); });
  };
  for (const std::string& name : names)
    for (const std::string& existing : key.SubKeys)
      if (SameText(existing, name) && !listed(existing)) ordered.push_back(existing);
  for (const std::string& existing : key.SubKeys)
    if (!listed(existing)) ordered.push_back(existing);
  key.SubKeys = ordered;
}

bool TMemoryRegistry::KeyExists(RegistryRoot root, const std::string& path) const {
  return Find(IdOf(root, path)) != nullptr;
}

const TMemoryRegistry::Value* TMemoryRegistry::FindValue(RegistryRoot root, const std::string& path,
                                                         const std::string& name) const {
  const Key* key = Find(IdOf(root, path));
  if (key == nullptr) return nullptr;
  for (const auto& value : key->Values)
    if (SameText(value.Name, name)) return &value;
  return nullptr;
}

std::optional<RegistryValueType> TMemoryRegistry::ValueType(RegistryRoot root, const std::string& path,
                                                            const std::string& name) const {
  const Value* value = FindValue(root, path, name);
  return value ? std::optional(value->Type) : std::nullopt;
}

std::optional<std::string> TMemoryRegistry::StringValue(RegistryRoot root, const std::string& path,
                                                        const std::string& name) const {
  const Value* value = FindValue(root, path, name);
  if (value == nullptr || value->Type != RegistryValueType::String) return std::nullopt;
  return value->Text;
}

std::optional<int32_t> TMemoryRegistry::IntegerValue(RegistryRoot root, const std::string& path,
                                                     const std::string& name) const {
  const Value* value = FindValue(root, path, name);
  if (value == nullptr || value->Type != RegistryValueType::Integer) return std::nullopt;
  return value->Number;
}

std::vector<std::string> TMemoryRegistry::SubKeyNames(RegistryRoot root, const std::string& path) const {
  const Key* key = Find(IdOf(root, path));
  return key ? key->SubKeys : std::vector<std::string>();
}

std::string TMemoryRegistry::Dump() const {
  std::string text;
  for (const auto& [id, key] : keys_) {
    if (id.second.empty() && key.Values.empty()) continue;
    text += std::string(RootName(id.first)) + (key.Path.empty() ? "" : "\\" + key.Path) + "\n";
    for (const auto& value : key.Values) {
      text += "  " + (value.Name.empty() ? std::string("@") : value.Name) + " = ";
      text += value.Type == RegistryValueType::String ? "\"" + value.Text + "\""
                                                      : "dword:" + std::to_string(value.Number);
      text += "\n";
    }
  }
  return text;
}
