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
//   uidriver icon TITLE                    print the kind of icon a message box shows:
//                                          stop, warning, question, information or none
//   uidriver hung TITLE                    print "hung" when Windows takes the window for
//                                          not responding, else "responding"
//   uidriver progress TITLE                print the position and the upper end of the
//                                          window's progress bar, as "POS/MAX"
//   uidriver kill TITLE                    end the window's process at once, as the
//                                          task manager does
//   uidriver list                          print every visible top-level window
//   uidriver session                       take these commands from standard input,
//                                          one a line, the arguments separated by tabs;
//                                          after each, its output and "@@end CODE"
//
// A TITLE of the form @CLASS names the window by its class instead.
//
// The driver declares itself aware of the display's resolution, as the setup
// program does: the rectangles it prints are the pixels on the screen also
// when Windows runs at more than 96 dots per inch.
//
// "texts" prints one line per control as CLASS|ID|TEXT. "controls" prints
// ID|CLASS|STATE|LEFT,TOP,WIDTH,HEIGHT|TEXT, where STATE holds v (visible),
// e (enabled), c (checked), f (has the focus) and d (the default button), and
// the rectangle is in the window's client area. CR and LF are written as \r
// and \n. The exit code is 0 on success, 1 when the window or control was not
// found in time, 2 for a usage error.
#include <windows.h>
#include <commctrl.h>

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
  // First: a window that answers has done what it was busy with, such as
  // moving the focus after a click.
  const bool responsive = Responsive(window);
  const HWND focus = FocusOf(window);
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
bool PressKey(const std::string& chord) {
  std::vector<WORD> modifiers;
  std::string rest = chord;
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

// The icon handle of a message box belongs to the program that shows it, so
// its kind is told from the screen: each of the system's message icons is
// drawn over the box's background at the icon's place, and the one that
// differs least from what the screen shows is taken.
const char* IconKind(HWND box) {
  HWND icon = nullptr;
  for (HWND child : Children(box))
    if (IsWindowVisible(child) && ClassOf(child) == "Static" &&
        (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      icon = child;
      break;
    }
  if (icon == nullptr) return "none";
  RECT place;
  GetWindowRect(icon, &place);
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  if (width <= 0 || height <= 0) return "none";

  BITMAPINFO format = {};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = -height;
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  auto pixels = [&](HBITMAP& bitmap) {
    void* bits = nullptr;
    bitmap = CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    return static_cast<const DWORD*>(bits);
  };
  HBITMAP shownBitmap = nullptr;
  const DWORD* shown = pixels(shownBitmap);
  HGDIOBJ old = SelectObject(memory, shownBitmap);
  SetForegroundWindow(box);
  BitBlt(memory, 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
  // The corner of every message icon is transparent: it shows the box.
  const DWORD background = shown[0];

  static const struct {
    const char* name;
    LPCSTR icon;
  } kinds[] = {{"stop", IDI_HAND}, {"warning", IDI_EXCLAMATION}, {"question", IDI_QUESTION},
               {"information", IDI_ASTERISK}};
  const char* best = "none";
  unsigned long long bestDifference = ~0ull;
  for (const auto& kind : kinds) {
    HBITMAP drawnBitmap = nullptr;
    DWORD* drawn = const_cast<DWORD*>(pixels(drawnBitmap));
    SelectObject(memory, drawnBitmap);
    for (int i = 0; i < width * height; ++i) drawn[i] = background;
    DrawIconEx(memory, 0, 0, LoadIconA(nullptr, kind.icon), width, height, 0, nullptr, DI_NORMAL);
    GdiFlush();
    unsigned long long difference = 0;
    for (int i = 0; i < width * height; ++i)
      for (int shift = 0; shift < 24; shift += 8)
        difference += static_cast<unsigned long long>(
            std::abs(static_cast<int>((drawn[i] >> shift) & 0xFF) - static_cast<int>((shown[i] >> shift) & 0xFF)));
    std::fprintf(stderr, "%s %llu\n", kind.name, difference);
    if (difference < bestDifference) {
      bestDifference = difference;
      best = kind.name;
    }
    SelectObject(memory, shownBitmap);
    DeleteObject(drawnBitmap);
  }
  SelectObject(memory, old);
  DeleteObject(shownBitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return best;
}

int Usage() {
  std::fprintf(stderr,
               "usage: uidriver wait|wait-gone|texts|controls|click|click-id|type|type-id|keys|close|wait-text|"
               "answer|rect|icon|list ...\n");
  return 2;
}

BOOL CALLBACK PrintTopLevel(HWND window, LPARAM) {
  if (IsWindowVisible(window))
    std::printf("%s|%s\n", ClassOf(window).c_str(), Escaped(WindowText(window, false)).c_str());
  return TRUE;
}

}  // namespace

// One command, with argv[1] its name, as main takes it.
int Command(int argc, char** argv) {
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
  if (command == "icon") {
    HWND window = WaitForWindow(title, 0);
    if (!window) return 1;
    std::printf("%s\n", IconKind(window));
    return 0;
  }
  if (command == "hung") {
    HWND window = WaitForWindow(title, 0);
    if (!window) return 1;
    std::printf("%s\n", IsHungAppWindow(window) ? "hung" : "responding");
    return 0;
  }
  if (command == "progress") {
    HWND window = WaitForWindow(title, 0);
    if (!window) return 1;
    for (HWND child : Children(window)) {
      if (ClassOf(child) != PROGRESS_CLASSA) continue;
      // Asked with a time limit: a window that does not answer is no answer.
      DWORD_PTR position = 0, upper = 0;
      if (!SendMessageTimeoutA(child, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 5000, &position) ||
          !SendMessageTimeoutA(child, PBM_GETRANGE, FALSE, 0, SMTO_ABORTIFHUNG, 5000, &upper))
        return 1;
      std::printf("%lu/%lu\n", static_cast<unsigned long>(position), static_cast<unsigned long>(upper));
      return 0;
    }
    return 1;
  }
  if (command == "kill") {
    HWND window = WaitForWindow(title, 0);
    if (!window) return 1;
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (!process) return 1;
    const bool ended = TerminateProcess(process, 9) && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended ? 0 : 1;
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

// The commands of a session, one a line with their arguments separated by
// tabs, each answered by its output and the line "@@end CODE".
int Session() {
  std::string line;
  for (int c = std::getchar(); c != EOF; c = std::getchar()) {
    if (c != '\n') {
      if (c != '\r') line += static_cast<char>(c);
      continue;
    }
    std::vector<std::string> words{"uidriver"};
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
      words.push_back(line.substr(start, tab - start));
    words.push_back(line.substr(start));
    line.clear();
    std::vector<char*> arguments;
    for (std::string& word : words) arguments.push_back(word.data());
    const int code = Command(static_cast<int>(arguments.size()), arguments.data());
    std::fflush(stderr);
    std::printf("@@end %d\n", code);
    std::fflush(stdout);
  }
  return 0;
}

int main(int argc, char** argv) {
  // Looked up: a system before Windows Vista lacks it.
  if (HMODULE user32 = GetModuleHandleA("user32.dll"))
    if (auto aware = reinterpret_cast<BOOL(WINAPI*)()>(
            reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDPIAware"))))
      aware();
  if (argc == 2 && std::strcmp(argv[1], "session") == 0) return Session();
  return Command(argc, argv);
}
