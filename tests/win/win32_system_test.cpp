#include "platform/win32/win32_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>

namespace {

TEST(Win32System, UserNameIsTheLoggedOnUser) {
  TWin32System system;
  std::string name;
  ASSERT_TRUE(system.UserName(name));
  ASSERT_FALSE(name.empty());
  EXPECT_NE(name.back(), '\0');
  char environment[1024];
  if (GetEnvironmentVariableA("USERNAME", environment, sizeof environment) > 0) {
    EXPECT_EQ(name, environment);
  }
}

TEST(Win32System, VersionAndScreen) {
  TWin32System system;
  OSVERSIONINFOA admitted = {};
  admitted.dwOSVersionInfoSize = sizeof admitted;
  ASSERT_TRUE(GetVersionExA(&admitted));
  const int major = system.WindowsMajorVersion();
  const int pixels = system.ScreenPixelsPerInch();
  std::printf("Windows major version %d (GetVersionEx admits %lu), %d pixels per inch\n", major,
              admitted.dwMajorVersion, pixels);
  // Without a manifest that names the newest Windows, GetVersionEx may admit less, never more.
  EXPECT_GE(major, static_cast<int>(admitted.dwMajorVersion));
  EXPECT_GT(major, 0);
  EXPECT_GT(pixels, 0);
}

int CALLBACK TakeFirstFace(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM data) {
  *reinterpret_cast<std::string*>(data) = font->lfFaceName;
  return 0;
}

// A face that GDI lists, whichever fonts this machine has.
std::string SomeInstalledFace() {
  LOGFONTA any = {};
  any.lfCharSet = DEFAULT_CHARSET;
  std::string face;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExA(screen, &any, TakeFirstFace, reinterpret_cast<LPARAM>(&face), 0);
  ReleaseDC(nullptr, screen);
  return face;
}

std::string WithCase(std::string text, int (*convert)(int)) {
  for (char& c : text) c = static_cast<char>(convert(static_cast<unsigned char>(c)));
  return text;
}

TEST(Win32System, InstalledFontsAreFoundWhateverTheCase) {
  const std::string installed = SomeInstalledFace();
  ASSERT_FALSE(installed.empty());
  const struct {
    std::string Face;
    bool Installed;
  } faces[] = {
      {installed, true},
      {WithCase(installed, std::tolower), true},
      {WithCase(installed, std::toupper), true},
      {"No Such Face Anywhere", false},
      {"", false},
      {std::string(40, 'x'), false},  // longer than any face name can be
  };
  TWin32System system;
  for (const auto& face : faces) {
    SCOPED_TRACE(face.Face);
    EXPECT_EQ(system.IsFontInstalled(face.Face), face.Installed);
  }
}

TEST(Win32System, TextHeightOfTheReferenceFont) {
  TWin32System system;
  const int height = system.TextHeight("MS Sans Serif", -11, "0");
  std::printf("\"0\" in MS Sans Serif at -11 is %d pixels high\n", height);
  EXPECT_GE(height, 11);  // at least the character height asked for
  EXPECT_LE(height, 20);
  EXPECT_GT(system.TextHeight("MS Sans Serif", -22, "0"), height);
}

// Counts the messages that reach it.
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) ++*reinterpret_cast<int*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST(Win32System, ProcessMessagesDispatchesWhatWaitsAndKeepsTheQuit) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = CountingProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "SetupTestCountingWindow";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  int count = 0;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&count));

  TWin32System system;
  PostMessageA(window, WM_APP, 0, 0);
  PostMessageA(window, WM_APP, 0, 0);
  PostQuitMessage(7);
  system.ProcessMessages();
  EXPECT_EQ(count, 2);
  // The program's own loop still sees the request to end.
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
  DestroyWindow(window);
}

}  // namespace
