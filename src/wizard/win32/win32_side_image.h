// The wizard's left panel: Panel, a frame with a border in the current visual
// style, and Image inside it, which shows the side image stretched to its size.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

struct TDecodedImage;

class TWin32SideImage {
 public:
  // The window classes of the two controls, registered on first use.
  static const char* PanelClass();
  static const char* ImageClass();

  // Serves the two windows (made with those classes) until it goes.
  TWin32SideImage(HWND panel, HWND image);
  ~TWin32SideImage();
  TWin32SideImage(const TWin32SideImage&) = delete;
  TWin32SideImage& operator=(const TWin32SideImage&) = delete;

  void SetImage(const TDecodedImage& image);
  void UseThemedBorder();

 private:
  static LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ImageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool PaintThemedBorder();
  void PaintImage(HDC context);

  HWND panel_;
  HWND image_;
  bool themedBorder_ = false;
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> rows_;  // bottom-up DIB rows, each padded to 4 bytes
};
