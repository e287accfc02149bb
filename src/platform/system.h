// The rest of what the system asks of Windows.
#pragma once

#include <cstdint>
#include <string>

class System {
 public:
  virtual ~System() = default;
  // The logged-on user's name; false when it cannot be read.
  virtual bool UserName(std::string& name) = 0;
  virtual int WindowsMajorVersion() = 0;
  virtual int ScreenPixelsPerInch() = 0;
  virtual bool IsFontInstalled(const std::string& face) = 0;
  // Pixel height of text drawn in a font of that face and height (a negative
  // height is a character height, as for CreateFont).
  virtual int TextHeight(const std::string& face, int height, const std::string& text) = 0;
  // Waits; what other threads send to this thread's windows is answered
  // meanwhile, nothing else is handled.
  virtual void Sleep(uint32_t milliseconds) = 0;
  // Handles the window messages that are waiting, once.
  virtual void ProcessMessages() = 0;
  // The text in the console's (OEM) code page, which is how cmd reads a
  // batch file; characters it lacks become the closest it has.
  virtual std::string ToConsoleText(const std::string& ansiText) = 0;
};
