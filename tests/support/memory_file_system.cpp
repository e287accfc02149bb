#include "memory_file_system.h"

#include <algorithm>
#include <cstring>

#include "common/errors.h"
#include "common/text.h"

namespace {

constexpr const char* kNotFound = "The system cannot find the file specified";
constexpr const char* kPathNotFound = "The system cannot find the path specified";
constexpr const char* kAccessDenied = "Access is denied";
constexpr const char* kInUse = "The process cannot access the file because it is being used by another process";

bool IsDriveKey(const std::string& key) { return key.size() == 2 && key[1] == ':'; }

std::string ParentKey(const std::string& key) {
  const size_t at = key.rfind('\\');
  return at == std::string::npos ? std::string() : key.substr(0, at);
}

// Wildcard match of * and ? without regard to case.
bool Matches(const char* pattern, const char* name) {
  if (*pattern == 0) return *name == 0;
  if (*pattern == '*') return Matches(pattern + 1, name) || (*name != 0 && Matches(pattern, name + 1));
  if (*name == 0) return false;
  if (*pattern != '?' && UpperAscii(*pattern) != UpperAscii(*name)) return false;
  return Matches(pattern + 1, name + 1);
}

// A stream over a file's bytes; a full disk stops its writes.
class TNodeStream : public TStream {
 public:
  TNodeStream(std::shared_ptr<std::vector<uint8_t>> bytes, const TMemoryFileSystem* owner,
              std::optional<uint64_t> capacity, bool writable)
      : bytes_(std::move(bytes)), owner_(owner), capacity_(capacity), writable_(writable) {}

  size_t Read(void* buffer, size_t count) override {
    if (position_ >= bytes_->size()) return 0;
    const size_t n = std::min(count, bytes_->size() - position_);
    std::memcpy(buffer, bytes_->data() + position_, n);
    position_ += n;
    return n;
  }

  size_t Write(const void* buffer, size_t count) override {
    if (!writable_) return 0;
    size_t n = count;
    if (capacity_) {
      const uint64_t used = owner_->UsedBytes();
      const uint64_t growth = position_ + count > bytes_->size() ? position_ + count - bytes_->size() : 0;
      if (used + growth > *capacity_) {
        const uint64_t room = *capacity_ > used ? *capacity_ - used : 0;
        n = static_cast<size_t>(std::min<uint64_t>(count, bytes_->size() - std::min(bytes_->size(), position_) + room));
      }
    }
    if (position_ + n > bytes_->size()) bytes_->resize(position_ + n);
    std::memcpy(bytes_->data() + position_, buffer, n);
    position_ += n;
    return n;
  }

  const std::shared_ptr<std::vector<uint8_t>>& Bytes() const { return bytes_; }
  bool Writable() const { return writable_; }

  int64_t Seek(int64_t offset, SeekOrigin origin) override {
    int64_t base = origin == SeekOrigin::Begin ? 0 : origin == SeekOrigin::Current ? position_ : bytes_->size();
    if (base + offset < 0) throw EStreamError("Invalid stream position");
    position_ = static_cast<size_t>(base + offset);
    return static_cast<int64_t>(position_);
  }

 private:
  std::shared_ptr<std::vector<uint8_t>> bytes_;
  const TMemoryFileSystem* owner_;
  std::optional<uint64_t> capacity_;
  bool writable_;
  size_t position_ = 0;
};

class TMemorySearch : public FileSearch {
 public:
  explicit TMemorySearch(std::vector<TFindEntry> entries) : entries_(std::move(entries)) {}
  const TFindEntry& Current() const override { return entries_[index_]; }
  bool Next() override {
    if (index_ + 1 >= entries_.size()) return false;
    ++index_;
    return true;
  }

 private:
  std::vector<TFindEntry> entries_;
  size_t index_ = 0;
};

}  // namespace

TMemoryFileSystem::TMemoryFileSystem() { AddDrive("C:"); }

std::string TMemoryFileSystem::Key(const std::string& path) {
  std::string key = UpperCaseAscii(path);
  while (key.size() > 2 && key.back() == '\\') key.pop_back();
  if (key.size() == 3 && key[1] == ':' && key[2] == '\\') key.pop_back();
  return key;
}

void TMemoryFileSystem::AddDrive(const std::string& drive) {
  Node node;
  node.IsFolder = true;
  node.Path = drive;
  node.Attributes = file_attribute::kDirectory;
  nodes_[Key(drive)] = node;
}

TMemoryFileSystem::Node* TMemoryFileSystem::FindNode(const std::string& path) {
  auto it = nodes_.find(Key(path));
  return it == nodes_.end() ? nullptr : &it->second;
}

const TMemoryFileSystem::Node* TMemoryFileSystem::Find(const std::string& path) const {
  auto it = nodes_.find(Key(path));
  return it == nodes_.end() ? nullptr : &it->second;
}

bool TMemoryFileSystem::ParentExists(const std::string& path) const {
  const std::string parent = ParentKey(Key(path));
  if (parent.empty()) return false;
  auto it = nodes_.find(parent);
  return it != nodes_.end() && it->second.IsFolder;
}

uint64_t TMemoryFileSystem::UsedBytes() const {
  uint64_t total = 0;
  for (const auto& [key, node] : nodes_) total += node.Bytes->size();
  return total;
}

std::unique_ptr<TStream> TMemoryFileSystem::OpenRead(const std::string& path) {
  Node* node = FindNode(path);
  if (node == nullptr || node->IsFolder)
    throw FileOpenError(path, ParentExists(path) ? kNotFound : kPathNotFound);
  return std::make_unique<TNodeStream>(node->Bytes, this, capacity_, false);
}

std::unique_ptr<TStream> TMemoryFileSystem::Create(const std::string& path) {
  const std::string key = Key(path);
  if (!ParentExists(path)) throw FileCreateError(path, kPathNotFound);
  Node* existing = FindNode(path);
  if (locked_.count(key)) throw FileCreateError(path, kInUse, true);
  if (existing != nullptr && (existing->IsFolder || (existing->Attributes & file_attribute::kReadOnly) != 0))
    throw FileCreateError(path, kAccessDenied);
  Node node;
  node.Path = path;
  node.Attributes = file_attribute::kArchive;
  nodes_[key] = node;
  return std::make_unique<TNodeStream>(nodes_[key].Bytes, this, capacity_, true);
}

bool TMemoryFileSystem::FileExists(const std::string& path) {
  const Node* node = FindNode(path);
  return node != nullptr && !node->IsFolder;
}

bool TMemoryFileSystem::FolderExists(const std::string& path) {
  const Node* node = FindNode(path);
  return node != nullptr && node->IsFolder;
}

FolderCreation TMemoryFileSystem::CreateFolder(const std::string& path) {
  const std::string key = Key(path);
  if (FindNode(path) != nullptr) return FolderCreation::AlreadyExists;
  if (IsDriveKey(key) || !ParentExists(path) || failingFolders_.count(key)) return FolderCreation::Failed;
  Node node;
  node.IsFolder = true;
  node.Path = path;
  node.Attributes = file_attribute::kDirectory;
  nodes_[key] = node;
  return FolderCreation::Created;
}

bool TMemoryFileSystem::RemoveFolder(const std::string& path) {
  const std::string key = Key(path);
  auto it = nodes_.find(key);
  if (it == nodes_.end() || !it->second.IsFolder || IsDriveKey(key) || locked_.count(key)) return false;
  for (const auto& [other, node] : nodes_)
    if (ParentKey(other) == key) return false;
  nodes_.erase(it);
  return true;
}

bool TMemoryFileSystem::RemoveFile(const std::string& path) {
  const std::string key = Key(path);
  auto it = nodes_.find(key);
  if (it == nodes_.end() || it->second.IsFolder || locked_.count(key) ||
      (it->second.Attributes & file_attribute::kReadOnly) != 0)
    return false;
  nodes_.erase(it);
  return true;
}

bool TMemoryFileSystem::GetAttributes(const std::string& path, uint32_t& attributes) {
  const Node* node = FindNode(path);
  if (node == nullptr) return false;
  attributes = node->Attributes;
  return true;
}

bool TMemoryFileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
  Node* node = FindNode(path);
  if (node == nullptr) return false;
  node->Attributes = (attributes & ~file_attribute::kDirectory) | (node->IsFolder ? file_attribute::kDirectory : 0);
  return true;
}

bool TMemoryFileSystem::GetLastWriteTime(const std::string& path, uint32_t& dosDateTime) {
  const Node* node = FindNode(path);
  if (node == nullptr) return false;
  dosDateTime = node->LastWrite;
  return true;
}

bool TMemoryFileSystem::SetLastWriteTime(TStream& createdFile, uint32_t dosDateTime) {
  // The file the stream was created for, if it is still there.
  auto* stream = dynamic_cast<TNodeStream*>(&createdFile);
  if (stream == nullptr || !stream->Writable()) return false;
  for (auto& [key, node] : nodes_) {
    if (node.Bytes != stream->Bytes()) continue;
    node.LastWrite = dosDateTime;
    return true;
  }
  return false;
}

bool TMemoryFileSystem::SetLastWriteTime(const std::string& path, uint32_t dosDateTime) {
  Node* node = FindNode(path);
  if (node == nullptr || node->IsFolder) return false;
  node->LastWrite = dosDateTime;
  return true;
}

std::unique_ptr<FileSearch> TMemoryFileSystem::FindFirst(const std::string& mask) {
  const size_t at = mask.rfind('\\');
  const std::string folder = at == std::string::npos ? std::string() : mask.substr(0, at);
  const std::string pattern = at == std::string::npos ? mask : mask.substr(at + 1);
  const std::string folderKey = Key(folder);
  const Node* parent = FindNode(folder);
  if (parent == nullptr || !parent->IsFolder) return nullptr;
  std::vector<TFindEntry> entries;
  if (!IsDriveKey(folderKey)) {
    for (const char* dots : {".", ".."})
      if (Matches(pattern.c_str(), dots)) entries.push_back({dots, file_attribute::kDirectory});
  }
  for (const auto& [key, node] : nodes_) {
    if (ParentKey(key) != folderKey) continue;
    const std::string name = node.Path.substr(node.Path.rfind('\\') + 1);
    if (Matches(pattern.c_str(), name.c_str())) entries.push_back({name, node.Attributes});
  }
  if (entries.empty()) return nullptr;
  return std::make_unique<TMemorySearch>(std::move(entries));
}

bool TMemoryFileSystem::FreeBytes(const std::string& root, uint64_t& bytes) {
  const Node* drive = FindNode(root.substr(0, 2));
  if (!freeBytes_ || drive == nullptr) return false;
  bytes = *freeBytes_;
  return true;
}

void TMemoryFileSystem::AddFolder(const std::string& path) {
  const std::string key = Key(path);
  if (key.empty() || FindNode(path) != nullptr) return;
  const size_t at = path.find_last_of('\\', key.size() - 1);
  if (at != std::string::npos) AddFolder(path.substr(0, at));
  Node node;
  node.IsFolder = true;
  node.Path = path.substr(0, key.size());
  node.Attributes = file_attribute::kDirectory;
  nodes_[key] = node;
}

void TMemoryFileSystem::AddFile(const std::string& path, const std::string& content, uint32_t attributes) {
  AddFile(path, std::vector<uint8_t>(content.begin(), content.end()), attributes);
}

void TMemoryFileSystem::AddFile(const std::string& path, const std::vector<uint8_t>& content, uint32_t attributes) {
  AddFolder(path.substr(0, path.rfind('\\')));
  Node node;
  node.Path = path;
  *node.Bytes = content;
  node.Attributes = attributes | file_attribute::kArchive;
  nodes_[Key(path)] = node;
}

std::string TMemoryFileSystem::Content(const std::string& path) {
  const Node* node = FindNode(path);
  return node == nullptr ? std::string() : std::string(node->Bytes->begin(), node->Bytes->end());
}

std::vector<std::string> TMemoryFileSystem::AllPaths() const {
  std::vector<std::string> paths;
  for (const auto& [key, node] : nodes_) paths.push_back(node.IsFolder ? node.Path + "\\" : node.Path);
  return paths;
}
