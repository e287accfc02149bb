#include "fake_system.h"

#include <algorithm>

#include "common/text.h"

TFakeSystem::TFakeSystem() : fonts_{"Segoe UI", "Tahoma", "MS Sans Serif"} {}

bool TFakeSystem::UserName(std::string& name) {
  if (!userName_) return false;
  name = *userName_;
  return true;
}

bool TFakeSystem::IsFontInstalled(const std::string& face) {
  return std::any_of(fonts_.begin(), fonts_.end(), [&](const std::string& f) { return SameText(f, face); });
}

int TFakeSystem::TextHeight(const std::string& face, int height, const std::string& text) {
  textHeightRequests_.push_back({face, height, text});
  if (textHeight_) return *textHeight_;
  return height < 0 ? -height * 13 / 11 : height;
}
