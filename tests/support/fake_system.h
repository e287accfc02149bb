// The rest of Windows for tests: user name, version, screen and fonts are set
// by the test; sleeps and message pumps are counted instead of done.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/system.h"

struct TTextHeightRequest {
  std::string Face;
  int Height = 0;
  std::string Text;
  bool operator==(const TTextHeightRequest&) const = default;
};

class TFakeSystem : public System {
 public:
  TFakeSystem();

  bool UserName(std::string& name) override;
  int WindowsMajorVersion() override { return majorVersion_; }
  int ScreenPixelsPerInch() override { return pixelsPerInch_; }
  // Faces compare without regard to case.
  bool IsFontInstalled(const std::string& face) override;
  // Like a font of the old system faces: a character height of h pixels
  // (height -h) gives text h * 13 / 11 pixels high, so 13 at 96 pixels per
  // inch; a positive height is the text's height itself. SetTextHeight
  // overrides it.
  int TextHeight(const std::string& face, int height, const std::string& text) override;
  void Sleep(uint32_t milliseconds) override { sleeps_.push_back(milliseconds); }
  void ProcessMessages() override { ++processMessagesCalls_; }
  // Marks the conversion so that tests see it happened: "<oem:" + text + ">".
  std::string ToConsoleText(const std::string& ansiText) override { return "<oem:" + ansiText + ">"; }

  // Set-up. Starts as user "Tester" on Windows 6 at 96 pixels per inch with
  // "Segoe UI", "Tahoma" and "MS Sans Serif" installed.
  void SetUserName(std::optional<std::string> name) { userName_ = std::move(name); }  // nullopt: fails
  void SetWindowsMajorVersion(int version) { majorVersion_ = version; }
  void SetPixelsPerInch(int pixelsPerInch) { pixelsPerInch_ = pixelsPerInch; }
  void SetInstalledFonts(std::vector<std::string> faces) { fonts_ = std::move(faces); }
  void SetTextHeight(std::optional<int> height) { textHeight_ = height; }

  // Inspection.
  const std::vector<uint32_t>& Sleeps() const { return sleeps_; }
  int ProcessMessagesCalls() const { return processMessagesCalls_; }
  const std::vector<TTextHeightRequest>& TextHeightRequests() const { return textHeightRequests_; }

 private:
  std::optional<std::string> userName_ = "Tester";
  int majorVersion_ = 6;
  int pixelsPerInch_ = 96;
  std::vector<std::string> fonts_;
  std::optional<int> textHeight_;
  std::vector<uint32_t> sleeps_;
  int processMessagesCalls_ = 0;
  std::vector<TTextHeightRequest> textHeightRequests_;
};
