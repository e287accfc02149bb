// The file system through the Windows API (ANSI calls).
#pragma once

#include "platform/file_system.h"

class TWin32FileSystem : public FileSystem {
 public:
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
  std::unique_ptr<FileSearch> FindFirst(const std::string& mask) override;
  bool FreeBytes(const std::string& root, uint64_t& bytes) override;
  std::string TempFolder() override;
  std::string ExecutablePath() override;
};
