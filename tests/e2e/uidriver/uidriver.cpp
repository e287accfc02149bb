// The UI driver of the end-to-end tests: a small Windows console program that
// finds the setup program's windows and message boxes, reads their controls,
// types into edits, clicks and presses keys, the way a user would.
//
//   uidriver wait TITLE [SECONDS]          wait for a visible top-level window
//   uidriver wait-gone TITLE [SECONDS]     wait until no such window is left
//   uidriver texts TITLE                   print the window's visible controls
//   uidriver controls TITLE                print every control with its state
//   uidriver click TITLE BUTTON            press a button by its text ("&" ignored)
//   uidriver click-id TITLE ID             click a control by its id, as the mouse does
//   uidriver type TITLE INDEX TEXT         set the text of the INDEXth edit (0-based)
//   uidriver type-id TITLE ID TEXT         set the text of the control with that id
//   uidriver keys TITLE KEY...             press keys in the window: a name such as
//                                          TAB, ENTER, ESC, SPACE, F4 or a letter,
//                                          with SHIFT+, CTRL+ and ALT+ before it
//   uidriver close TITLE                   the close box (the system menu's Close)
//   uidriver wait-text TITLE ID TEXT [SECONDS]
//                                          wait until the control shows TEXT
//   uidriver answer TITLE BUTTON [SECONDS] wait for a box, print its texts, press BUTTON
//   uidriver rect TITLE                    print the window's frame on the screen
//   uidriver list                          print every visible top-level window
//
// A TITLE of the form @CLASS names the window by its class instead.
//
// "texts" prints one line per control as CLASS|ID|TEXT. "controls" prints
// ID|CLASS|STATE|LEFT,TOP,WIDTH,HEIGHT|TEXT, where STATE holds v (visible),
// e (enabled), c (checked), f (has the focus) and d (the default button), and
// the rectangle is in the window's client area. CR and LF are written as \r
// and \n. The exit code is 0 on success, 1 when the window or control was not
// found in time, 2 for a usage error.
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Found {
  std::string title;
  HWND window = nullptr;
};

std::string ClassOf(HWND window) {
  char buffer[256];
  const int length = GetClassNameA(window, buffer, sizeof buffer);
  return std::string(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

// Whether the window's thread handles messages now. While the setup installs,
// its thread is busy and answers nothing sent to it until the run is over.
bool Responsive(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &result) != 0;
}

std::string WindowText(HWND window, bool responsive = true) {
  char buffer[8192];
  LRESULT length = 0;
  if (responsive) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                            2000, &result))
      length = static_cast<LRESULT>(result);
  } else {
    // The text the window system keeps, which needs no answer from the
    // program; an edit box keeps its text itself, so its text is unknown.
    length = ClassOf(window) == "Edit" ? 0 : GetWindowTextA(window, buffer, sizeof buffer);
  }
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

bool Matches(HWND window, const std::string& title) {
  if (title.size() > 1 && title[0] == '@') return ClassOf(window) == title.substr(1);
  // A caption is kept by the window system: reading it waits for nobody.
  return WindowText(window, false) == title;
}

BOOL CALLBACK FindTopLevel(HWND window, LPARAM data) {
  auto* found = reinterpret_cast<Found*>(data);
  if (IsWindowVisible(window) && Matches(window, found->title)) {
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

bool PastDeadline(DWORD deadline) { return static_cast<LONG>(GetTickCount() - deadline) > 0; }

HWND WaitForWindow(const std::string& title, double seconds) {
  const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  for (;;) {
    if (HWND window = FindWindowByTitle(title)) return window;
    if (PastDeadline(deadline)) return nullptr;
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

HWND ChildById(HWND window, int id) {
  for (HWND child : Children(window))
    if (GetDlgCtrlID(child) == id) return child;
  return nullptr;
}

void PrintControls(HWND window) {
  for (HWND child : Children(window)) {
    if (!IsWindowVisible(child)) continue;
    std::printf("%s|%d|%s\n", ClassOf(child).c_str(), GetDlgCtrlID(child), Escaped(WindowText(child)).c_str());
  }
  std::fflush(stdout);
}

// The focus of another program's window: its thread's focus.
HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

void PrintControlStates(HWND window) {
  const HWND focus = FocusOf(window);
  const bool responsive = Responsive(window);
  for (HWND child : Children(window)) {
    std::string state;
    if (IsWindowVisible(child)) state += 'v';
    if (IsWindowEnabled(child)) state += 'e';
    const std::string windowClass = ClassOf(child);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (windowClass == "Button") {
      DWORD_PTR check = 0;
      if (responsive && SendMessageTimeoutA(child, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &check) &&
          check == BST_CHECKED)
        state += 'c';
      if ((style & 0x0F) == BS_DEFPUSHBUTTON) state += 'd';
    }
    if (child == focus) state += 'f';
    RECT bounds;
    GetWindowRect(child, &bounds);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bounds), 2);
    std::printf("%d|%s|%s|%ld,%ld,%ld,%ld|%s\n", GetDlgCtrlID(child), windowClass.c_str(), state.c_str(), bounds.left,
                bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                Escaped(WindowText(child, responsive)).c_str());
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

// The virtual key of a key name; 0 when it has none.
WORD KeyCode(const std::string& name) {
  static const struct {
    const char* name;
    WORD key;
  } keys[] = {{"TAB", VK_TAB},   {"ENTER", VK_RETURN}, {"ESC", VK_ESCAPE}, {"SPACE", VK_SPACE}, {"F4", VK_F4},
              {"UP", VK_UP},     {"DOWN", VK_DOWN},    {"LEFT", VK_LEFT},  {"RIGHT", VK_RIGHT}, {"HOME", VK_HOME},
              {"END", VK_END},   {"BACK", VK_BACK},    {"DELETE", VK_DELETE}};
  for (const auto& key : keys)
    if (name == key.name) return key.key;
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
    return static_cast<WORD>(std::toupper(static_cast<unsigned char>(name[0])));
  return 0;
}

INPUT KeyInput(WORD key, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

// Presses one key with its modifiers, such as SHIFT+TAB or ALT+F.
bool PressKey(const std::string& spec) {
  std::vector<WORD> modifiers;
  std::string rest = spec;
  for (;;) {
    const size_t plus = rest.find('+');
    if (plus == std::string::npos || plus + 1 >= rest.size()) break;
    const std::string modifier = rest.substr(0, plus);
    if (modifier == "SHIFT")
      modifiers.push_back(VK_SHIFT);
    else if (modifier == "CTRL")
      modifiers.push_back(VK_CONTROL);
    else if (modifier == "ALT")
      modifiers.push_back(VK_MENU);
    else
      return false;
    rest = rest.substr(plus + 1);
  }
  const WORD key = KeyCode(rest);
  if (key == 0) return false;
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) inputs.push_back(KeyInput(*it, true));
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

int Usage() {
  std::fprintf(stderr,
               "usage: uidriver wait|wait-gone|texts|controls|click|click-id|type|type-id|keys|close|wait-text|"
               "answer|rect|list ...\n");
  return 2;
}

BOOL CALLBACK PrintTopLevel(HWND window, LPARAM) {
  if (IsWindowVisible(window))
    std::printf("%s|%s\n", ClassOf(window).c_str(), Escaped(WindowText(window, false)).c_str());
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
      if (PastDeadline(deadline)) return 1;
      Sleep(100);
    }
    return 0;
  }
  if (command == "texts" || command == "controls") {
    HWND window = WaitForWindow(title, 0);
    if (!window) return 1;
    if (command == "texts")
      PrintControls(window);
    else
      PrintControlStates(window);
    return 0;
  }
  if (command == "click" && argc >= 4) {
    HWND window = WaitForWindow(title, 0);
    return window && Click(window, argv[3]) ? 0 : 1;
  }
  if (command == "click-id" && argc >= 4) {
    HWND window = WaitForWindow(title, 0);
    HWND control = window ? ChildById(window, std::atoi(argv[3])) : nullptr;
    if (!control) return 1;
    // Posted: a click that opens a box must not hold the driver.
    PostMessageA(control, BM_CLICK, 0, 0);
    return 0;
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
  if (command == "type-id" && argc >= 5) {
    HWND window = WaitForWindow(title, 0);
    HWND control = window ? ChildById(window, std::atoi(argv[3])) : nullptr;
    if (!control) return 1;
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
    return 0;
  }
  if (command == "keys" && argc >= 4) {
    HWND window = WaitForWindow(title, 0);
    if (!window) return 1;
    SetForegroundWindow(window);
    for (int i = 3; i < argc; ++i) {
      if (!PressKey(argv[i])) return 2;
      // Each key is handled before the next comes, as with a typing user.
      Sleep(150);
    }
    return 0;
  }
  if (command == "rect") {
    HWND window = WaitForWindow(title, 0);
    if (!window) return 1;
    RECT frame;
    GetWindowRect(window, &frame);
    std::printf("%ld,%ld,%ld,%ld\n", frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
    return 0;
  }
  if (command == "close") {
    HWND window = WaitForWindow(title, 0);
    if (!window) return 1;
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  }
  if (command == "wait-text" && argc >= 5) {
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds(5, 30) * 1000);
    for (;;) {
      HWND window = FindWindowByTitle(title);
      HWND control = window ? ChildById(window, std::atoi(argv[3])) : nullptr;
      if (control && WindowText(control, Responsive(window)) == argv[4]) return 0;
      if (PastDeadline(deadline)) return 1;
      Sleep(100);
    }
  }
  if (command == "answer" && argc >= 4) {
    HWND window = WaitForWindow(title, seconds(4, 30));
    if (!window) return 1;
    PrintControls(window);
    return Click(window, argv[3]) ? 0 : 1;
  }
  return Usage();
}
