#include "setuppack_test_support.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "commands/command_context.h"
#include "commands/run_setuppack.h"
#include "platform/host/host_file_stream.h"

TTempFolder::TTempFolder() {
  std::random_device random;
  path_ = fs::temp_directory_path() / ("setuppack-test-" + std::to_string(random()) + std::to_string(random()));
  fs::create_directories(path_);
}

TTempFolder::~TTempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + PathText(path));
}

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + PathText(path));
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  const std::string text = ReadFile(path);
  return std::vector<uint8_t>(text.begin(), text.end());
}

void SetUnixTime(const fs::path& path, int64_t seconds) {
  const auto sys = std::chrono::sys_seconds(std::chrono::seconds(seconds));
  fs::last_write_time(path, std::chrono::file_clock::from_sys(sys));
}

void MakeStaging(const fs::path& root, const TStagingFiles& files) {
  fs::create_directories(root);
  for (const auto& [relative, content] : files) {
    const fs::path path = root / fs::path(TTempFolder::Utf8(relative));
    if (!relative.empty() && relative.back() == '/')
      fs::create_directories(path);
    else
      WriteFile(path, content);
  }
}

TStagingFiles SupportFiles(const std::string& setupIni) {
  return {{"Setup.ini", setupIni}, {"Setup.lic", "Licence\r\n"}, {"Setup.jpg", SmallJpeg()}};
}

std::string SoundSetupIni(const std::string& version, const std::vector<std::string>& components) {
  std::string text = "[Setup]\r\nProductName=Demo\r\nProductVersion=" + version +
                     "\r\nRegistryRoot=Software\\Maker\\Demo\r\nDefaultFolder=Maker\\Demo %d\r\n[Components]\r\n";
  for (const std::string& component : components) text += component + "=$ProgramFolder\\" + component + "\r\n";
  return text;
}


TStagingFiles ReadTree(const fs::path& root) {
  TStagingFiles tree;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    const std::u8string generic = entry.path().lexically_relative(root).generic_u8string();
    const std::string relative(generic.begin(), generic.end());
    if (entry.is_directory())
      tree[relative + "/"] = "";
    else
      tree[relative] = ReadFile(entry.path());
  }
  return tree;
}

std::vector<uint8_t> FakeStub(size_t size) {
  std::vector<uint8_t> stub(size, 0);
  for (size_t i = 512; i < size; ++i) stub[i] = static_cast<uint8_t>(i * 7 + 3);
  stub[0] = 'M', stub[1] = 'Z';
  stub[0x3C] = 128;
  stub[128] = 'P', stub[129] = 'E';
  const size_t optional = 128 + 4 + 20;
  stub[optional] = 0x0B, stub[optional + 1] = 0x01;  // PE32
  stub[optional + 92] = 16;                          // data directories
  return stub;
}

TToolResult RunTool(const std::vector<std::string>& args, const std::map<std::string, std::string>& environment,
                    const fs::path& toolFolder) {
  std::ostringstream out, err;
  const TCommandContext context{out, err,
                                [&](const std::string& name) -> std::optional<std::string> {
                                  const auto found = environment.find(name);
                                  if (found == environment.end()) return std::nullopt;
                                  return found->second;
                                },
                                toolFolder, false};
  TToolResult result;
  result.Code = RunSetuppack(args, context);
  result.Out = out.str();
  result.Err = err.str();
  return result;
}

std::string Arg(const fs::path& path) { return PathText(path); }
