#include "packing/output_file.h"

#include <random>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

#include "common/errors.h"

namespace fs = std::filesystem;

namespace {

// A name no other build beside the same target is likely to pick.
fs::path TemporaryBeside(const fs::path& target) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = target;
    candidate += ".setuppack-" + std::to_string(random() % 1000000000u) + ".tmp";
    std::error_code error;
    if (!fs::exists(fs::symlink_status(candidate, error))) return candidate;
  }
  throw Exception("Cannot find a free temporary name beside \"" + PathText(target) + "\"");
}

void ReplaceFile(const fs::path& from, const fs::path& to) {
#ifdef _WIN32
  // MoveFileEx replaces the target in one step, where the C runtime's rename
  // refuses an existing one.
  if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING))
    throw Exception("Cannot write \"" + PathText(to) + "\": " +
                    std::system_category().message(static_cast<int>(GetLastError())));
#else
  std::error_code error;
  fs::rename(from, to, error);
  if (error) throw Exception("Cannot write \"" + PathText(to) + "\": " + error.message());
#endif
}

}  // namespace

TOutputFile::TOutputFile(const fs::path& target) : target_(target), temporary_(TemporaryBeside(target)) {
  stream_ = std::make_unique<THostFileStream>(temporary_, THostFileStream::Mode::Create);
}

TOutputFile::~TOutputFile() {
  if (committed_) return;
  stream_.reset();
  std::error_code ignored;
  fs::remove(temporary_, ignored);
}

void TOutputFile::Commit() {
  stream_->Close();
  ReplaceFile(temporary_, target_);
  committed_ = true;
}
