// The baseline of the start-up benchmark: the least a Windows GUI program
// does to put a window on the screen (one window with one button, the message
// loop), built with the setup program's toolchain and flags. What the setup
// takes beyond this is its own start-up; the rest is the system's (under
// Wine, starting a process and its window system connection).
#include <windows.h>

#include "plain_window.h"

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kPlainWindowClass;
  if (RegisterClassA(&windowClass) == 0) return 1;
  HWND window = CreateWindowExA(0, kPlainWindowClass, "Plain window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 400,
                                200, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 150, 70, 90, 28, window,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPlainButtonId)), instance, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
