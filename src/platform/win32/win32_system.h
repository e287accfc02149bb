// User, version, screen and font facts, and the message loop, through the
// Windows API.
#pragma once

#include "platform/system.h"

class TWin32System : public System {
 public:
  bool UserName(std::string& name) override;
  // The real version: GetVersionEx answers what the manifest admits to, so
  // RtlGetVersion is asked first.
  int WindowsMajorVersion() override;
  // Of the screen's device context (LOGPIXELSY).
  int ScreenPixelsPerInch() override;
  // Whether a font family of that face is installed, in any character set.
  bool IsFontInstalled(const std::string& face) override;
  // Measured on the screen's device context; 0 when the font cannot be made.
  int TextHeight(const std::string& face, int height, const std::string& text) override;
  void Sleep(uint32_t milliseconds) override;
  // A WM_QUIT among them is left in the queue for the program's own loop.
  void ProcessMessages() override;
  std::string ToConsoleText(const std::string& ansiText) override;
};
