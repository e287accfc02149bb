// The file system as the setup system uses it. Paths are ANSI texts with "\"
// as the separator.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/stream.h"

// File attributes, as Windows numbers them.
namespace file_attribute {
inline constexpr uint32_t kReadOnly = 0x01;
inline constexpr uint32_t kHidden = 0x02;
inline constexpr uint32_t kSystem = 0x04;
inline constexpr uint32_t kVolume = 0x08;
inline constexpr uint32_t kDirectory = 0x10;
inline constexpr uint32_t kArchive = 0x20;
inline constexpr uint32_t kAny = 0x3F;
}  // namespace file_attribute

enum class FolderCreation { Created, AlreadyExists, Failed };

struct TFindEntry {
  std::string Name;  // without folder
  uint32_t Attributes = 0;
};

// One running directory search; the search is closed when this goes.
class FileSearch {
 public:
  virtual ~FileSearch() = default;
  virtual const TFindEntry& Current() const = 0;
  // Advances to the next match; false when there is none.
  virtual bool Next() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Opens for reading while others may read and write the file; raises the
  // open error that names the file and the system's reason.
  virtual std::unique_ptr<TStream> OpenRead(const std::string& path) = 0;
  // Creates or replaces a file for writing; raises the create error.
  virtual std::unique_ptr<TStream> Create(const std::string& path) = 0;

  virtual bool FileExists(const std::string& path) = 0;
  virtual bool FolderExists(const std::string& path) = 0;
  // Creates one folder level.
  virtual FolderCreation CreateFolder(const std::string& path) = 0;
  // Removes one empty folder.
  virtual bool RemoveFolder(const std::string& path) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;

  // False when the file does not exist.
  virtual bool GetAttributes(const std::string& path, uint32_t& attributes) = 0;
  virtual bool SetAttributes(const std::string& path, uint32_t attributes) = 0;
  // Last-write time as a local DOS date-time.
  virtual bool GetLastWriteTime(const std::string& path, uint32_t& dosDateTime) = 0;
  // Sets it through a file this file system created and that is still open,
  // after the last write: cheaper than opening the file once more, which
  // counts when thousands of files are installed.
  virtual bool SetLastWriteTime(TStream& createdFile, uint32_t dosDateTime) = 0;

  // Every entry matching a mask such as C:\Dir\*.lnk (Windows returns "." and
  // ".." too where the mask matches them); nullptr when nothing matches.
  virtual std::unique_ptr<FileSearch> FindFirst(const std::string& mask) = 0;

  // Bytes available to the calling user on the volume of root (such as C:\).
  virtual bool FreeBytes(const std::string& root, uint64_t& bytes) = 0;
  // The folder for temporary files, as the system gives it; empty when none.
  virtual std::string TempFolder() = 0;
  // The running executable's full path.
  virtual std::string ExecutablePath() = 0;
};
