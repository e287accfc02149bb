#include "platform/win32/win32_system.h"

#include <windows.h>

#include <cstring>

#include "common/text.h"
#include "platform/win32/win32_system_function.h"

namespace {

// The screen's device context, released when this goes.
class TScreenContext {
 public:
  TScreenContext() : context_(GetDC(nullptr)) {}
  ~TScreenContext() {
    if (context_ != nullptr) ReleaseDC(nullptr, context_);
  }
  TScreenContext(const TScreenContext&) = delete;
  TScreenContext& operator=(const TScreenContext&) = delete;
  HDC Get() const { return context_; }

 private:
  HDC context_;
};

// A font made for one measurement, selected into a context for as long as
// this lives and deleted afterwards.
class TSelectedFont {
 public:
  TSelectedFont(HDC context, HFONT font)
      : context_(context), font_(font), previous_(font ? SelectObject(context, font) : nullptr) {}
  ~TSelectedFont() {
    if (previous_ != nullptr) SelectObject(context_, previous_);
    if (font_ != nullptr) DeleteObject(font_);
  }
  TSelectedFont(const TSelectedFont&) = delete;
  TSelectedFont& operator=(const TSelectedFont&) = delete;
  bool Valid() const { return font_ != nullptr && previous_ != nullptr; }

 private:
  HDC context_;
  HFONT font_;
  HGDIOBJ previous_;
};

struct TFontSearch {
  const std::string& Face;
  bool Found = false;
};

int CALLBACK FontFamilyProc(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM data) {
  auto& search = *reinterpret_cast<TFontSearch*>(data);
  if (SameText(font->lfFaceName, search.Face)) {
    search.Found = true;
    return 0;
  }
  return 1;
}

int VersionFromNtdll() {
  using TRtlGetVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
  const auto getVersion = SystemFunction<TRtlGetVersion>("ntdll.dll", "RtlGetVersion");
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof info;
  if (getVersion == nullptr || getVersion(&info) != 0) return 0;
  return static_cast<int>(info.dwMajorVersion);
}

}  // namespace

bool TWin32System::UserName(std::string& name) {
  char buffer[1024];
  DWORD length = sizeof buffer;
  if (!GetUserNameA(buffer, &length)) return false;
  // The length counts the terminator.
  name.assign(buffer, strnlen(buffer, length));
  return true;
}

int TWin32System::WindowsMajorVersion() {
  if (const int major = VersionFromNtdll(); major > 0) return major;
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExA(&info) ? static_cast<int>(info.dwMajorVersion) : 0;
}

int TWin32System::ScreenPixelsPerInch() {
  const TScreenContext screen;
  return screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
}

bool TWin32System::IsFontInstalled(const std::string& face) {
  LOGFONTA wanted = {};
  // A longer name cannot be a face name at all.
  if (face.empty() || face.size() >= sizeof wanted.lfFaceName) return false;
  std::memcpy(wanted.lfFaceName, face.c_str(), face.size() + 1);
  wanted.lfCharSet = DEFAULT_CHARSET;
  const TScreenContext screen;
  if (screen.Get() == nullptr) return false;
  TFontSearch search{face};
  EnumFontFamiliesExA(screen.Get(), &wanted, reinterpret_cast<FONTENUMPROCA>(FontFamilyProc),
                      reinterpret_cast<LPARAM>(&search), 0);
  return search.Found;
}

int TWin32System::TextHeight(const std::string& face, int height, const std::string& text) {
  const TScreenContext screen;
  if (screen.Get() == nullptr) return 0;
  const TSelectedFont font(screen.Get(), CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                                     DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
  SIZE extent = {};
  if (!font.Valid() || !GetTextExtentPoint32A(screen.Get(), text.c_str(), static_cast<int>(text.size()), &extent))
    return 0;
  return extent.cy;
}

void TWin32System::Sleep(uint32_t milliseconds) {
  // Messages that other threads send to this thread's windows are answered
  // while it waits, as in any modal wait: the window is not taken for hung,
  // and a question about one of its controls gets its answer. Nothing posted
  // to it, no input, is handled.
  const DWORD start = GetTickCount();
  for (;;) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_SENDMESSAGE);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

void TWin32System::ProcessMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Taken out here, it would be lost to the loop that ends the program.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

std::string TWin32System::ToConsoleText(const std::string& ansiText) {
  std::string oem = ansiText;
  if (!oem.empty()) CharToOemBuffA(ansiText.data(), oem.data(), static_cast<DWORD>(oem.size()));
  return oem;
}
