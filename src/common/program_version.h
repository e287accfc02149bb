// Product version numbers: parsed from texts, shown as text, compared, and
// kept in packages and uninstall records as a 25-byte version block.
#pragma once

#include <cstdint>
#include <string>

class TStream;

// The version block: int32 -100, int32 1, Major, Minor, Release, Beta as
// int32, PressPreview as one byte.
inline constexpr int kVersionBlockSize = 25;
inline constexpr int32_t kVersionBlockMarker = -100;
inline constexpr int32_t kVersionBlockFormat = 1;

class TProgramVersion {
 public:
  int32_t Beta = 0;           // 0 or less: a release
  bool PressPreview = false;
  int32_t Major = 0;
  int32_t Minor = 0;          // one digit when parsed from text
  int32_t Release = 0;        // one digit when parsed from text

  // Sets all fields from text such as "1.16", "2.5 beta 12" or
  // "1.16 (press preview)"; raises EProgramVersionError and changes nothing
  // when the text is no version number.
  void ParseVersion(const std::string& text);
  // "1.16", "1.16 beta 2", "1.16 beta 2 (press preview)".
  std::string VersionText() const;
  bool IsBeta() const { return Beta > 0; }

  // Reads a version block at the stream's position; "Invalid version number
  // on stream" (fields unchanged) when its markers are wrong, the stream's
  // read error when it is cut short.
  void ReadVersion(TStream& stream);
  void WriteVersion(TStream& stream) const;
};

// -1 when a is older than b, 0 when equal, 1 when a is newer. A release is
// newer than a beta of the same number; PressPreview takes no part.
int32_t CompareVersions(const TProgramVersion& a, const TProgramVersion& b);
