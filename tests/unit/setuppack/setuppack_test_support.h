// What the setuppack tests share: temporary folders, staging trees, fake
// stubs, and running the tool in-process with an environment of their own.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "jpeg_fixture.h"

namespace fs = std::filesystem;

// A fresh folder below the system's temporary folder, removed with its
// contents when the object goes.
class TTempFolder {
 public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const fs::path& Path() const { return path_; }
  fs::path operator/(const std::string& relative) const { return path_ / fs::path(Utf8(relative)); }

  static std::u8string Utf8(const std::string& text) { return std::u8string(text.begin(), text.end()); }

 private:
  fs::path path_;
};

// Writes bytes to path, making its folders.
void WriteFile(const fs::path& path, const std::string& bytes);
std::string ReadFile(const fs::path& path);
std::vector<uint8_t> ReadBytes(const fs::path& path);

// Sets a file's modification time to Unix seconds.
void SetUnixTime(const fs::path& path, int64_t seconds);

// A staging tree: relative "/" paths (UTF-8) to contents; a path ending in
// "/" is an empty folder.
using TStagingFiles = std::map<std::string, std::string>;
void MakeStaging(const fs::path& root, const TStagingFiles& files);

// The support files of a product that the setup files' check accepts:
// Setup.ini with the given text, a licence and a side image.
TStagingFiles SupportFiles(const std::string& setupIni);
// A Setup.ini that the check accepts: the product version and the [Setup]
// keys the setup needs, and each component installed below $ProgramFolder.
std::string SoundSetupIni(const std::string& version, const std::vector<std::string>& components);

// Relative "/" paths of every file and folder below root (folders ending in
// "/") with the files' contents, for comparing trees byte for byte.
TStagingFiles ReadTree(const fs::path& root);

// A minimal PE program: "MZ", e_lfanew 128, "PE\0\0", a PE32 optional
// header with 16 data directories, and a byte pattern up to size.
std::vector<uint8_t> FakeStub(size_t size = 2048);

struct TToolResult {
  int Code = -1;
  std::string Out, Err;
};

// Runs setuppack in-process; the environment holds only the given variables.
TToolResult RunTool(const std::vector<std::string>& args, const std::map<std::string, std::string>& environment = {},
                    const fs::path& toolFolder = {});
// The path text of a path, for command lines.
std::string Arg(const fs::path& path);
