#include "wizard/win32/win32_side_image.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <cstring>

#include "platform/win32/win32_system_function.h"
#include "setuplogic/jpeg_decoder.h"

namespace {

// The theme functions, taken from the system folder's uxtheme.dll when the
// border is first drawn rather than imported (see win32_system_function.h).
struct TThemeFunctions {
  decltype(&IsThemeActive) IsActive = nullptr;
  decltype(&OpenThemeData) Open = nullptr;
  decltype(&DrawThemeBackground) Draw = nullptr;
  decltype(&CloseThemeData) Close = nullptr;
  bool Complete() const { return IsActive && Open && Draw && Close; }
};

const TThemeFunctions& ThemeFunctions() {
  static const TThemeFunctions functions = [] {
    TThemeFunctions found;
    found.IsActive = SystemFunction<decltype(found.IsActive)>("uxtheme.dll", "IsThemeActive");
    found.Open = SystemFunction<decltype(found.Open)>("uxtheme.dll", "OpenThemeData");
    found.Draw = SystemFunction<decltype(found.Draw)>("uxtheme.dll", "DrawThemeBackground");
    found.Close = SystemFunction<decltype(found.Close)>("uxtheme.dll", "CloseThemeData");
    return found;
  }();
  return functions;
}

TWin32SideImage* ServiceOf(HWND window) {
  return reinterpret_cast<TWin32SideImage*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void RegisterOnce(const char* name, WNDPROC procedure) {
  WNDCLASSA existing;
  if (GetClassInfoA(GetModuleHandleA(nullptr), name, &existing)) return;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = name;
  RegisterClassA(&windowClass);
}

}  // namespace

const char* TWin32SideImage::PanelClass() {
  RegisterOnce("SetupPanel", PanelProc);
  return "SetupPanel";
}

const char* TWin32SideImage::ImageClass() {
  RegisterOnce("SetupImage", ImageProc);
  return "SetupImage";
}

TWin32SideImage::TWin32SideImage(HWND panel, HWND image) : panel_(panel), image_(image) {
  SetWindowLongPtrA(panel_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(image_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TWin32SideImage::~TWin32SideImage() {
  if (IsWindow(panel_)) SetWindowLongPtrA(panel_, GWLP_USERDATA, 0);
  if (IsWindow(image_)) SetWindowLongPtrA(image_, GWLP_USERDATA, 0);
}

void TWin32SideImage::SetImage(const TDecodedImage& image) {
  if (image.Width <= 0 || image.Height <= 0) return;
  const size_t rowBytes = static_cast<size_t>(image.Width) * 3;
  const size_t stride = (rowBytes + 3) & ~size_t{3};
  rows_.assign(stride * static_cast<size_t>(image.Height), 0);
  // The decoder gives top-down rows; a DIB with a positive height is bottom-up.
  for (int y = 0; y < image.Height; ++y)
    std::memcpy(rows_.data() + stride * static_cast<size_t>(image.Height - 1 - y),
                image.Pixels.data() + rowBytes * static_cast<size_t>(y), rowBytes);
  width_ = image.Width;
  height_ = image.Height;
  InvalidateRect(image_, nullptr, TRUE);
}

void TWin32SideImage::UseThemedBorder() {
  themedBorder_ = true;
  SetWindowPos(panel_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

bool TWin32SideImage::PaintThemedBorder() {
  const TThemeFunctions& themes = ThemeFunctions();
  if (!themedBorder_ || !themes.Complete() || !themes.IsActive()) return false;
  HTHEME theme = themes.Open(panel_, L"Edit");
  if (theme == nullptr) return false;
  HDC context = GetWindowDC(panel_);
  RECT window, client;
  GetWindowRect(panel_, &window);
  GetClientRect(panel_, &client);
  MapWindowPoints(panel_, nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -window.left, -window.top);
  OffsetRect(&window, -window.left, -window.top);
  // Only the border: the client area is the image's.
  ExcludeClipRect(context, client.left, client.top, client.right, client.bottom);
  themes.Draw(theme, context, EP_EDITTEXT, ETS_NORMAL, &window, nullptr);
  ReleaseDC(panel_, context);
  themes.Close(theme);
  return true;
}

void TWin32SideImage::PaintImage(HDC context) {
  RECT client;
  GetClientRect(image_, &client);
  if (rows_.empty()) {
    FillRect(context, &client, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = height_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  // HALFTONE averages the pixels a shrunken picture drops instead of leaving
  // some out.
  SetStretchBltMode(context, HALFTONE);
  SetBrushOrgEx(context, 0, 0, nullptr);
  StretchDIBits(context, 0, 0, client.right, client.bottom, 0, 0, width_, height_, rows_.data(), &info,
                DIB_RGB_COLORS, SRCCOPY);
}

LRESULT CALLBACK TWin32SideImage::PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TWin32SideImage* service = ServiceOf(window);
  if (service != nullptr) {
    if (message == WM_NCPAINT) {
      LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      service->PaintThemedBorder();
      return result;
    }
    if (message == WM_THEMECHANGED)
      SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK TWin32SideImage::ImageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TWin32SideImage* service = ServiceOf(window);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC context = BeginPaint(window, &paint);
      if (service != nullptr) {
        service->PaintImage(context);
      } else {
        RECT client;
        GetClientRect(window, &client);
        FillRect(context, &client, GetSysColorBrush(COLOR_BTNFACE));
      }
      EndPaint(window, &paint);
      return 0;
    }
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
