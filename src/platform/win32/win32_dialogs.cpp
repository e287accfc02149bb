#include "platform/win32/win32_dialogs.h"

#include <windows.h>

#include "common/path.h"
#include "common/text.h"
#include "platform/win32/win32_file_system.h"

namespace {

// "\r" stands for a line break in the system's texts.
std::string BoxText(const std::string& text) {
  std::string result;
  for (size_t i = 0; i < text.size(); ++i) {
    result += text[i];
    if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) result += '\n';
  }
  return result;
}

}  // namespace

DialogAnswer TWin32Dialogs::Show(MessageKind kind, const std::string& text) {
  const char* caption = "";
  UINT style = MB_OK;
  std::string shown = text;
  switch (kind) {
    case MessageKind::Warning:
      caption = "Warning";
      style = MB_OK | MB_ICONWARNING;
      break;
    case MessageKind::Confirmation:
      caption = "Confirm";
      style = MB_YESNO | MB_ICONQUESTION;
      break;
    case MessageKind::Information:
      caption = "Information";
      style = MB_OK | MB_ICONINFORMATION;
      break;
    case MessageKind::RetryConfirmation:
      caption = "Confirm";
      style = MB_RETRYCANCEL | MB_ICONWARNING;
      break;
    case MessageKind::Error:
      caption = title_.c_str();
      style = MB_OK | MB_ICONSTOP;
      shown = WithFullStop(text);
      break;
  }
  HWND owner = GetActiveWindow();
  if (owner == nullptr) style |= MB_TASKMODAL;
  switch (MessageBoxA(owner, BoxText(shown).c_str(), caption, style)) {
    case IDYES:
      return DialogAnswer::Yes;
    case IDNO:
      return DialogAnswer::No;
    case IDOK:
      return DialogAnswer::Ok;
    case IDRETRY:
      return DialogAnswer::Retry;
    default:
      return DialogAnswer::Cancel;
  }
}

void TWin32Dialogs::ShowApplicationError(const std::string& className, const std::string& message) {
  TWin32FileSystem files;
  const std::string module = ExtractFileName(files.ExecutablePath());
  const std::string text = "Exception " + className + " in module " + module + ".\r\n" + WithFullStop(message);
  MessageBoxA(nullptr, text.c_str(), "Application Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}
