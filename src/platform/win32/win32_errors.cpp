#include "platform/win32/win32_errors.h"

std::string SystemErrorMessage(DWORD code) {
  char buffer[512];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer, sizeof buffer, nullptr);
  while (length > 0 && (static_cast<unsigned char>(buffer[length - 1]) <= ' ' || buffer[length - 1] == '.'))
    --length;
  if (length == 0) return "System error " + std::to_string(code);
  return std::string(buffer, length);
}
