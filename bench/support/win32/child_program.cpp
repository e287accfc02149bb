#include "support/win32/child_program.h"

#include <chrono>
#include <stdexcept>
#include <vector>

namespace {

class TDeadline {
 public:
  explicit TDeadline(double seconds)
      : end_(std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                                      std::chrono::duration<double>(seconds))) {}
  bool Passed() const { return std::chrono::steady_clock::now() > end_; }
  // Milliseconds left, at least 1, for the waits of the system.
  UINT Milliseconds() const {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end_ - std::chrono::steady_clock::now());
    return left.count() > 1 ? static_cast<UINT>(left.count()) : 1;
  }

 private:
  std::chrono::steady_clock::time_point end_;
};

std::string Describe(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return std::string("window ") + name;
}

BOOL CALLBACK CollectVisibleDescendant(HWND window, LPARAM data) {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

bool HasPendingPaint(const std::vector<HWND>& windows) {
  for (HWND window : windows)
    if (GetUpdateRect(window, nullptr, FALSE)) return true;
  return false;
}

// A round trip of WM_NULL; false when the window did not answer in time.
bool RoundTrip(HWND window, const TDeadline& deadline) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, deadline.Milliseconds(), &result) != 0;
}

}  // namespace

TChildProgram::TChildProgram(const std::filesystem::path& program) {
  const std::filesystem::path full = std::filesystem::absolute(program).make_preferred();
  std::wstring commandLine = L"\"" + full.wstring() + L"\"";
  const std::wstring folder = full.parent_path().wstring();
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION information = {};
  if (!CreateProcessW(full.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &information))
    throw std::runtime_error("cannot start \"" + full.string() + "\" (error " + std::to_string(GetLastError()) + ")");
  CloseHandle(information.hThread);
  process_ = information.hProcess;
  id_ = information.dwProcessId;
}

TChildProgram::~TChildProgram() { End(); }

void TChildProgram::End() {
  if (process_ == nullptr) return;
  if (!HasEnded()) TerminateProcess(process_, 1);
  WaitForSingleObject(process_, 30000);
  CloseHandle(process_);
  process_ = nullptr;
}

bool TChildProgram::HasEnded() const { return WaitForSingleObject(process_, 0) == WAIT_OBJECT_0; }

HWND FindProgramWindow(const TChildProgram& program, const char* className) {
  for (HWND window = FindWindowExA(nullptr, nullptr, className, nullptr); window != nullptr;
       window = FindWindowExA(nullptr, window, className, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == program.Id() && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

HWND ControlOf(HWND window, int controlId) {
  HWND control = GetDlgItem(window, controlId);
  if (control == nullptr)
    throw std::runtime_error("the " + Describe(window) + " has no control " + std::to_string(controlId));
  return control;
}

HWND WaitForShownWindow(const TChildProgram& program, const char* className, int controlId, double timeoutSeconds) {
  const TDeadline deadline(timeoutSeconds);
  HWND window = nullptr, control = nullptr;
  for (;;) {
    if (window == nullptr) {
      // A window that is visible has all its controls: the wizard shows
      // itself once every page is filled.
      window = FindProgramWindow(program, className);
      if (window != nullptr) control = ControlOf(window, controlId);
    }
    if (control != nullptr && IsWindowVisible(control)) {
      // Once the program has waited for input for the first time, start-up
      // is over; what follows are its paints.
      WaitForInputIdle(program.Process(), deadline.Milliseconds());
      WaitUntilDrawn(window, timeoutSeconds);
      return window;
    }
    if (program.HasEnded()) throw std::runtime_error(std::string("the program ended before showing its ") + className);
    if (deadline.Passed()) throw std::runtime_error(std::string("no ") + className + " window came in time");
    Sleep(1);
  }
}

void WaitForShownControl(HWND window, int controlId, double timeoutSeconds) {
  const TDeadline deadline(timeoutSeconds);
  HWND control = ControlOf(window, controlId);
  while (!IsWindowVisible(control)) {
    if (!IsWindow(window)) throw std::runtime_error(Describe(window) + " is gone");
    if (deadline.Passed())
      throw std::runtime_error("control " + std::to_string(controlId) + " of the " + Describe(window) +
                               " was not shown in time");
    Sleep(1);
  }
  WaitUntilDrawn(window, timeoutSeconds);
}

void WaitUntilDrawn(HWND window, double timeoutSeconds) {
  const TDeadline deadline(timeoutSeconds);
  // Only what is on the screen can wait for its paint; what shows now stays
  // shown while the program is left alone.
  std::vector<HWND> shown{window};
  EnumChildWindows(window, CollectVisibleDescendant, reinterpret_cast<LPARAM>(&shown));
  for (;;) {
    if (!HasPendingPaint(shown) && RoundTrip(window, deadline) && !HasPendingPaint(shown)) return;
    if (deadline.Passed()) throw std::runtime_error("the " + Describe(window) + " was not drawn in time");
    Sleep(1);
  }
}

void PostClick(HWND button) {
  if (!PostMessageA(button, BM_CLICK, 0, 0)) throw std::runtime_error("cannot click the " + Describe(button));
}

void SetControlText(HWND control, const std::string& text) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, 30000,
                           &result))
    throw std::runtime_error("cannot set the text of the " + Describe(control));
}

std::string ControlText(HWND control) {
  char text[1024];
  const int length = GetWindowTextA(control, text, sizeof text);
  return std::string(text, static_cast<size_t>(length > 0 ? length : 0));
}
