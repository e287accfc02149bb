#include "packing/file_times.h"

#include <chrono>
#include <ctime>
#include <system_error>

#include "common/errors.h"
#include "platform/host/host_file_stream.h"

namespace fs = std::filesystem;
using std::chrono::file_clock;

int64_t ModificationTime(const fs::path& path) {
  std::error_code error;
  const fs::file_time_type time = fs::last_write_time(path, error);
  if (error) throw Exception("Cannot read the date of \"" + PathText(path) + "\": " + error.message());
  const auto sinceEpoch = file_clock::to_sys(time).time_since_epoch();
  return std::chrono::floor<std::chrono::seconds>(sinceEpoch).count();
}

void SetModificationTime(const fs::path& path, uint32_t localDosDateTime) {
  if (localDosDateTime == 0) return;
  std::tm local{};
  local.tm_year = static_cast<int>(localDosDateTime >> 25) + 80;
  local.tm_mon = static_cast<int>(localDosDateTime >> 21 & 15) - 1;
  local.tm_mday = static_cast<int>(localDosDateTime >> 16 & 31);
  local.tm_hour = static_cast<int>(localDosDateTime >> 11 & 31);
  local.tm_min = static_cast<int>(localDosDateTime >> 5 & 63);
  local.tm_sec = static_cast<int>(localDosDateTime & 31) * 2;
  local.tm_isdst = -1;  // let the C library decide, as Windows does for local times
  const std::time_t seconds = std::mktime(&local);
  if (seconds == static_cast<std::time_t>(-1)) return;  // a time the C library cannot place
  std::error_code error;
  const auto sys = std::chrono::system_clock::from_time_t(seconds);
  fs::last_write_time(path, file_clock::from_sys(sys), error);
  if (error) throw Exception("Cannot set the date of \"" + PathText(path) + "\": " + error.message());
}
