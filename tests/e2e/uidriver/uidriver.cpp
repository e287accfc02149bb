// The UI driver of the end-to-end tests: a small Windows console program that
// finds the setup program's windows and message boxes, reads their texts,
// types into edits and clicks buttons, the way a user would.
//
//   uidriver wait TITLE [SECONDS]          wait for a visible top-level window
//   uidriver wait-gone TITLE [SECONDS]     wait until no such window is left
//   uidriver texts TITLE                   print the window's controls
//   uidriver click TITLE BUTTON            press a button by its text ("&" ignored)
//   uidriver type TITLE INDEX TEXT         set the text of the INDEXth edit (0-based)
//   uidriver answer TITLE BUTTON [SECONDS] wait for a box, print its texts, press BUTTON
//   uidriver list                          print every visible top-level window
//
// Controls are printed one per line as CLASS|ID|TEXT with CR and LF written
// as \r and \n. The exit code is 0 on success, 1 when the window or control
// was not found in time, 2 for a usage error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Found {
  std::string title;
  HWND window = nullptr;
};

std::string WindowText(HWND window) {
  char buffer[8192];
  const LRESULT length = SendMessageA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  return std::string(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

std::string ClassOf(HWND window) {
  char buffer[256];
  const int length = GetClassNameA(window, buffer, sizeof buffer);
  return std::string(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else
      out += c;
  }
  return out;
}

std::string WithoutAmpersands(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size() && text[i + 1] != '&') continue;
    out += text[i];
  }
  return out;
}

BOOL CALLBACK FindTopLevel(HWND window, LPARAM data) {
  auto* found = reinterpret_cast<Found*>(data);
  if (IsWindowVisible(window) && WindowText(window) == found->title) {
    found->window = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindWindowByTitle(const std::string& title) {
  Found found{title};
  EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&found));
  return found.window;
}

HWND WaitForWindow(const std::string& title, double seconds) {
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  for (;;) {
    if (HWND window = FindWindowByTitle(title)) return window;
    if (static_cast<LONG>(GetTickCount() - deadline) > 0) return nullptr;
    Sleep(100);
  }
}

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

void PrintControls(HWND window) {
  for (HWND child : Children(window)) {
    if (!IsWindowVisible(child)) continue;
    std::printf("%s|%d|%s\n", ClassOf(child).c_str(), GetDlgCtrlID(child), Escaped(WindowText(child)).c_str());
  }
  std::fflush(stdout);
}

bool Click(HWND window, const std::string& button) {
  for (HWND child : Children(window)) {
    if (ClassOf(child) != "Button" || WithoutAmpersands(WindowText(child)) != WithoutAmpersands(button)) continue;
    // A message box may not take BM_CLICK before it is active.
    SetForegroundWindow(window);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED), reinterpret_cast<LPARAM>(child));
    return true;
  }
  return false;
}

int Usage() {
  std::fprintf(stderr, "usage: uidriver wait|wait-gone|texts|click|type|answer|list ...\n");
  return 2;
}

BOOL CALLBACK PrintTopLevel(HWND window, LPARAM) {
  if (IsWindowVisible(window))
    std::printf("%s|%s\n", ClassOf(window).c_str(), Escaped(WindowText(window)).c_str());
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  auto seconds = [&](int index, double fallback) { return argc > index ? std::atof(argv[index]) : fallback; };

  if (command == "list") {
    EnumWindows(PrintTopLevel, 0);
    return 0;
  }
  if (argc < 3) return Usage();
  const std::string title = argv[2];

  if (command == "wait") return WaitForWindow(title, seconds(3, 30)) ? 0 : 1;
  if (command == "wait-gone") {
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds(3, 30) * 1000);
    while (FindWindowByTitle(title)) {
      if (static_cast<LONG>(GetTickCount() - deadline) > 0) return 1;
      Sleep(100);
    }
    return 0;
  }
  if (command == "texts") {
    HWND window = WaitForWindow(title, 0);
    if (!window) return 1;
    PrintControls(window);
    return 0;
  }
  if (command == "click" && argc >= 4) {
    HWND window = WaitForWindow(title, 0);
    return window && Click(window, argv[3]) ? 0 : 1;
  }
  if (command == "type" && argc >= 5) {
    HWND window = WaitForWindow(title, 0);
    if (!window) return 1;
    int index = std::atoi(argv[3]);
    for (HWND child : Children(window)) {
      if (ClassOf(child) != "Edit" || index-- != 0) continue;
      SendMessageA(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
      return 0;
    }
    return 1;
  }
  if (command == "answer" && argc >= 4) {
    HWND window = WaitForWindow(title, seconds(4, 30));
    if (!window) return 1;
    PrintControls(window);
    return Click(window, argv[3]) ? 0 : 1;
  }
  return Usage();
}
