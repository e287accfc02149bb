#include "package/package_writer.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>

#include "common/errors.h"
#include "common/stream.h"
#include "package/adler32.h"
#include "package/package_format.h"
#include "package/package_reader.h"
#include "package/zlib_compressor.h"

namespace pf = package_format;

namespace {

constexpr int64_t kMaxPackageData = std::numeric_limits<int32_t>::max();

// The files of the tree in package order, depth first.
void CollectFiles(const std::vector<TPackageItem>& items, std::vector<const TPackageItem*>& files,
                  const std::string& path, int depth) {
  if (depth > pf::kMaxFolderDepth) throw Exception("Folders nest too deeply at \"" + path + "\"");
  for (const TPackageItem& item : items) {
    const std::string itemPath = path.empty() ? item.Name : path + "\\" + item.Name;
    if (item.Name.size() > pf::kMaxNameLength)
      throw Exception("The name \"" + itemPath + "\" is longer than 63 bytes");
    if (!IsSafeEntryName(item.Name)) throw Exception("The name \"" + itemPath + "\" cannot be stored");
    if (item.IsFolder)
      CollectFiles(item.Children, files, itemPath, depth + 1);
    else
      files.push_back(&item);
  }
}

std::string SourceText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::vector<uint8_t> ReadSource(const TPackageItem& item) {
  if (item.SourcePath.empty()) return item.Content;
  const std::string shown = SourceText(item.SourcePath);
  std::ifstream file(item.SourcePath, std::ios::binary);
  if (!file) throw Exception("Cannot read \"" + shown + "\"");
  std::vector<uint8_t> bytes;
  // Reserving the expected size keeps a large file from being held twice
  // while the vector grows.
  bytes.reserve(static_cast<size_t>(std::min<uint64_t>(item.SourceSize, kMaxPackageData)));
  std::vector<char> buffer(1 << 20);
  while (file) {
    file.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const size_t got = static_cast<size_t>(file.gcount());
    bytes.insert(bytes.end(), buffer.data(), buffer.data() + got);
    // Stop past the limit: the caller refuses the file without reading it all.
    if (bytes.size() > static_cast<size_t>(kMaxPackageData)) return bytes;
  }
  if (file.bad() || !file.eof()) throw Exception("Cannot read \"" + shown + "\"");
  return bytes;
}

struct TCompressed {
  int32_t Size = 0;
  std::vector<uint8_t> Body;
};

// Compresses the files on worker threads and hands the results out in
// package order, keeping only a bounded number of them in memory.
class TCompressionQueue {
 public:
  TCompressionQueue(const std::vector<const TPackageItem*>& files, int jobs)
      : files_(files), results_(files.size()) {
    window_ = static_cast<size_t>(std::max(1, jobs)) * 2;
    const int threads = std::max(1, std::min<int>(jobs, static_cast<int>(files.size())));
    for (int i = 0; i < threads; ++i) workers_.emplace_back([this] { Work(); });
  }

  ~TCompressionQueue() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) worker.join();
  }

  // The next file's result, in order; rethrows a worker's error.
  TCompressed Take(size_t index) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return results_[index].has_value() || error_; });
    if (error_) std::rethrow_exception(error_);
    TCompressed result = std::move(*results_[index]);
    results_[index].reset();
    taken_ = index + 1;
    changed_.notify_all();
    return result;
  }

 private:
  void Work() {
    TZlibCompressor compressor;
    for (;;) {
      size_t index;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return stopping_ || error_ || (next_ < files_.size() && next_ < taken_ + window_); });
        if (stopping_ || error_ || next_ >= files_.size()) return;
        index = next_++;
      }
      try {
        const TPackageItem& item = *files_[index];
        std::vector<uint8_t> bytes = ReadSource(item);
        // Size is an int32: a file of 2^31 - 1 bytes still fits.
        if (bytes.size() > static_cast<size_t>(kMaxPackageData))
          throw Exception("The file \"" + (item.SourcePath.empty() ? item.Name : SourceText(item.SourcePath)) +
                          "\" is 2 GiB or larger");
        TCompressed result;
        result.Size = static_cast<int32_t>(bytes.size());
        result.Body = compressor.Compress(bytes.data(), bytes.size());
        std::lock_guard<std::mutex> lock(mutex_);
        results_[index] = std::move(result);
      } catch (...) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!error_) error_ = std::current_exception();
      }
      changed_.notify_all();
    }
  }

  const std::vector<const TPackageItem*>& files_;
  std::vector<std::optional<TCompressed>> results_;
  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable changed_;
  size_t next_ = 0, taken_ = 0, window_ = 2;
  bool stopping_ = false;
  std::exception_ptr error_;
};

class TTreeWriter {
 public:
  TTreeWriter(TStream& out, int64_t dataStart, TCompressionQueue& queue, const TPackageOptions& options,
              uint64_t totalInput)
      : out_(out), dataStart_(dataStart), queue_(queue), options_(options), totalInput_(totalInput) {}

  void WriteLevel(const std::vector<TPackageItem>& items) {
    for (const TPackageItem& item : items) {
      if (item.IsFolder) {
        const int64_t headerAt = out_.Position();
        WriteHeader(item.Name, item.FileTime, 0, pf::kFolderSize);
        WriteLevel(item.Children);
        const int64_t end = out_.Position();
        const int64_t bodySize = end - headerAt - pf::kEntryHeaderSize;
        CheckLength(end);
        out_.SetPosition(headerAt);
        WriteHeader(item.Name, item.FileTime, static_cast<int32_t>(bodySize), pf::kFolderSize);
        out_.SetPosition(end);
      } else {
        TCompressed file = queue_.Take(nextFile_++);
        CheckLength(out_.Position() + pf::kEntryHeaderSize + static_cast<int64_t>(file.Body.size()));
        WriteHeader(item.Name, item.FileTime, static_cast<int32_t>(file.Body.size()), file.Size);
        out_.WriteBuffer(file.Body.data(), file.Body.size());
        doneInput_ += static_cast<uint64_t>(file.Size);
        if (options_.Progress) options_.Progress(doneInput_, totalInput_);
      }
    }
    WriteEndMarker();
  }

 private:
  void WriteHeader(const std::string& name, uint32_t fileTime, int32_t bodySize, int32_t size) {
    uint8_t raw[pf::kEntryHeaderSize];
    StoreEntryHeader(raw, name, fileTime, bodySize, size);
    out_.WriteBuffer(raw, sizeof raw);
  }

  void WriteEndMarker() {
    uint8_t raw[pf::kEntryHeaderSize] = {};
    StoreInt32(raw + 72, pf::kFolderSize);
    out_.WriteBuffer(raw, sizeof raw);
  }

  void CheckLength(int64_t position) {
    if (position - dataStart_ + pf::kEntryHeaderSize > kMaxPackageData)
      throw Exception("The package would be 2 GiB or larger");
  }

  TStream& out_;
  int64_t dataStart_;
  TCompressionQueue& queue_;
  const TPackageOptions& options_;
  uint64_t totalInput_;
  uint64_t doneInput_ = 0;
  size_t nextFile_ = 0;
};

void StoreDouble(uint8_t* bytes, double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
}

}  // namespace

TPackageItem TPackageItem::Folder(std::string name, std::vector<TPackageItem> children) {
  TPackageItem item;
  item.Name = std::move(name);
  item.IsFolder = true;
  item.Children = std::move(children);
  return item;
}

TPackageItem TPackageItem::File(std::string name, std::string content) {
  TPackageItem item;
  item.Name = std::move(name);
  item.Content.assign(content.begin(), content.end());
  return item;
}

void StoreEntryHeader(uint8_t* raw, const std::string& name, uint32_t fileTime, int32_t bodySize, int32_t size) {
  std::memset(raw, 0, pf::kEntryHeaderSize);
  raw[0] = static_cast<uint8_t>(std::min<size_t>(name.size(), 255));
  std::memcpy(raw + 1, name.data(), std::min<size_t>(name.size(), pf::kMaxNameLength));
  StoreUInt32(raw + 64, fileTime);
  StoreInt32(raw + 68, bodySize);
  StoreInt32(raw + 72, size);
}

int64_t WritePackage(TStream& out, const std::vector<TPackageItem>& topLevel, const TPackageOptions& options) {
  std::vector<const TPackageItem*> files;
  CollectFiles(topLevel, files, "", 0);
  uint64_t totalInput = 0;
  for (const TPackageItem* file : files) totalInput += file->SourcePath.empty() ? file->Content.size() : file->SourceSize;

  const int64_t start = out.Position();
  uint8_t header[pf::kHeaderSize] = {};
  out.WriteBuffer(header, sizeof header);  // filled in at the end
  const int64_t dataStart = out.Position();
  options.Version.WriteVersion(out);
  {
    TCompressionQueue queue(files, options.Jobs);
    TTreeWriter(out, dataStart, queue, options, totalInput).WriteLevel(topLevel);
  }
  const int64_t end = out.Position();
  const int64_t dataLength = end - dataStart;

  out.SetPosition(dataStart);
  const uint32_t checksum = StreamAdler32(out, dataLength);
  std::memcpy(header, pf::kSignature, sizeof pf::kSignature);
  StoreInt32(header + 8, static_cast<int32_t>(dataLength));
  StoreUInt32(header + 12, checksum);
  StoreDouble(header + 16, options.Stamp);
  StoreInt32(header + 24, options.Reserved);
  out.SetPosition(start);
  out.WriteBuffer(header, sizeof header);
  out.SetPosition(end);
  return end - start;
}
