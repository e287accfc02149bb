// A file system in memory that behaves like Windows where the logic can tell:
// names compare without regard to case, a file needs its folder, a folder is
// only removed when empty, a read-only file can be neither replaced nor
// deleted, and a disk can fill up.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

class TMemoryFileSystem : public FileSystem {
 public:
  struct Node {
    bool IsFolder = false;
    std::string Path;  // as created
    std::shared_ptr<std::vector<uint8_t>> Bytes = std::make_shared<std::vector<uint8_t>>();
    uint32_t Attributes = 0;
    uint32_t LastWrite = 0;
  };

  // Starts with the drive C: and the executable C:\Setup\Setup.exe absent.
  TMemoryFileSystem();

  std::unique_ptr<TStream> OpenRead(const std::string& path) override;
  std::unique_ptr<TStream> Create(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  bool FolderExists(const std::string& path) override;
  FolderCreation CreateFolder(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  bool RemoveFile(const std::string& path) override;
  bool GetAttributes(const std::string& path, uint32_t& attributes) override;
  bool SetAttributes(const std::string& path, uint32_t attributes) override;
  bool GetLastWriteTime(const std::string& path, uint32_t& dosDateTime) override;
  bool SetLastWriteTime(TStream& createdFile, uint32_t dosDateTime) override;
  // Test set-up: dates a file directly.
  bool SetLastWriteTime(const std::string& path, uint32_t dosDateTime);
  std::unique_ptr<FileSearch> FindFirst(const std::string& mask) override;
  bool FreeBytes(const std::string& root, uint64_t& bytes) override;
  std::string TempFolder() override { return tempFolder_; }
  std::string ExecutablePath() override { return executablePath_; }

  // Test set-up and inspection.
  void AddDrive(const std::string& drive);  // "D:"
  void AddFolder(const std::string& path);  // with its parents
  void AddFile(const std::string& path, const std::string& content, uint32_t attributes = 0);
  void AddFile(const std::string& path, const std::vector<uint8_t>& content, uint32_t attributes = 0);
  std::string Content(const std::string& path);  // empty when absent
  const Node* Find(const std::string& path) const;
  // Every path, as created, in sorted order of their keys.
  std::vector<std::string> AllPaths() const;
  void SetExecutablePath(const std::string& path) { executablePath_ = path; }
  void SetTempFolder(const std::string& path) { tempFolder_ = path; }
  // nullopt: the free-space query fails.
  void SetFreeBytes(std::optional<uint64_t> bytes) { freeBytes_ = bytes; }
  // Total bytes that files may hold; writes beyond it fail like a full disk.
  void SetCapacity(std::optional<uint64_t> bytes) { capacity_ = bytes; }
  // Folders that refuse to be created, files that refuse to be opened.
  void FailCreateFolder(const std::string& path) { failingFolders_.insert(Key(path)); }
  // Paths that stay locked: no create, no delete (a file in use).
  void Lock(const std::string& path) { locked_.insert(Key(path)); }
  void Unlock(const std::string& path) { locked_.erase(Key(path)); }

  uint64_t UsedBytes() const;
  static std::string Key(const std::string& path);

 private:
  Node* FindNode(const std::string& path);
  bool ParentExists(const std::string& path) const;

  std::map<std::string, Node> nodes_;
  std::set<std::string> failingFolders_, locked_;
  std::string executablePath_ = "C:\\Setup\\Setup.exe";
  std::string tempFolder_ = "C:\\Temp\\";
  std::optional<uint64_t> freeBytes_ = uint64_t{1} << 40;
  std::optional<uint64_t> capacity_;
};
