#include "common/program_version.h"

#include <cstdio>

#include "common/errors.h"
#include "common/integer_text.h"
#include "common/stream.h"

namespace {

// The integer a piece of text spells, or fallback when it spells none.
int32_t IntegerValue(const std::string& text, int32_t fallback) {
  int32_t value;
  return TryParseInteger(text, value) ? value : fallback;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int32_t Clamp(int64_t difference) { return difference < 0 ? -1 : (difference > 0 ? 1 : 0); }

}  // namespace

void TProgramVersion::ParseVersion(const std::string& text) {
  int32_t major, minor, release = 0, beta = 0;
  const size_t dot = text.find('.');
  if (dot == std::string::npos) {
    major = IntegerValue(text, -1);
    minor = 0;
  } else {
    major = IntegerValue(text.substr(0, dot), -1);
    minor = dot + 1 < text.size() && IsDigit(text[dot + 1]) ? text[dot + 1] - '0' : -1;
    release = dot + 2 < text.size() && IsDigit(text[dot + 2]) ? text[dot + 2] - '0' : 0;
  }
  const size_t betaAt = text.find("beta ");
  if (betaAt != std::string::npos) beta = IntegerValue(text.substr(betaAt + 5, 2), 0);
  if (major < 0 || minor < 0) throw EProgramVersionError("'" + text + "' is not a valid version number");
  Major = major;
  Minor = minor;
  Release = release;
  Beta = beta;
  PressPreview = text.find("press") != std::string::npos;
}

std::string TProgramVersion::VersionText() const {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%d.%d%d", Major, Minor, Release);
  std::string text = buffer;
  if (IsBeta()) text += " beta " + std::to_string(Beta);
  if (PressPreview) text += " (press preview)";
  return text;
}

void TProgramVersion::ReadVersion(TStream& stream) {
  const int32_t marker = stream.ReadInt32();
  const int32_t format = stream.ReadInt32();
  if (marker != kVersionBlockMarker || format != kVersionBlockFormat)
    throw EStreamError("Invalid version number on stream");
  uint8_t rest[17];
  stream.ReadBuffer(rest, sizeof rest);
  Major = LoadInt32(rest);
  Minor = LoadInt32(rest + 4);
  Release = LoadInt32(rest + 8);
  Beta = LoadInt32(rest + 12);
  PressPreview = rest[16] != 0;
}

void TProgramVersion::WriteVersion(TStream& stream) const {
  uint8_t block[kVersionBlockSize];
  StoreInt32(block, kVersionBlockMarker);
  StoreInt32(block + 4, kVersionBlockFormat);
  StoreInt32(block + 8, Major);
  StoreInt32(block + 12, Minor);
  StoreInt32(block + 16, Release);
  StoreInt32(block + 20, Beta);
  block[24] = PressPreview ? 1 : 0;
  stream.WriteBuffer(block, sizeof block);
}

int32_t CompareVersions(const TProgramVersion& a, const TProgramVersion& b) {
  if (a.Major != b.Major) return Clamp(int64_t{a.Major} - b.Major);
  if (a.Minor != b.Minor) return Clamp(int64_t{a.Minor} - b.Minor);
  if (a.Release != b.Release) return Clamp(int64_t{a.Release} - b.Release);
  if (b.IsBeta() && !a.IsBeta()) return 1;
  if (a.IsBeta() && !b.IsBeta()) return -1;
  return Clamp(int64_t{a.Beta} - b.Beta);
}
