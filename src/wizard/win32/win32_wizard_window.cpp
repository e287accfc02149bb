#include "wizard/win32/win32_wizard_window.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "common/errors.h"
#include "platform/system.h"
#include "platform/win32/win32_errors.h"
#include "wizard/win32/win32_side_image.h"

namespace {

// The progress bar counts in hundredths of a percent, so that it moves while
// a large product is copied, not only at each whole percent.
constexpr int kProgressSteps = 10000;

constexpr char kWindowClass[] = "TMainForm";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

int ControlIdNumber(ControlId id) { return kFirstControlId + static_cast<int>(id); }

bool TakesFocus(ControlKind kind) {
  return kind == ControlKind::Button || kind == ControlKind::Edit || kind == ControlKind::Memo ||
         kind == ControlKind::CheckBox;
}

// The order in which the controls are made, from the top of the stack of
// windows down, which is also the order of their tabs: each page's controls
// that take the focus by their tab positions, then the frame's by theirs.
// The labels lie beneath every control, so that an edit box that overlaps its
// label by a pixel shows its whole border; Notebook lies beneath them all.
std::vector<const TControlLayout*> CreationOrder() {
  const std::span<const TControlLayout> layout = WizardLayout();
  std::vector<const TControlLayout*> order;
  auto byTab = [](const TControlLayout* a, const TControlLayout* b) { return a->TabPosition < b->TabPosition; };
  auto addSorted = [&](std::vector<const TControlLayout*> rows) {
    std::stable_sort(rows.begin(), rows.end(), byTab);
    order.insert(order.end(), rows.begin(), rows.end());
  };
  for (int page = 0; page < wizard_page::kCount; ++page) {
    std::vector<const TControlLayout*> tabbed;
    for (const TControlLayout& row : layout)
      if (row.Page == page && TakesFocus(row.Kind)) tabbed.push_back(&row);
    addSorted(tabbed);
  }
  std::vector<const TControlLayout*> frame;
  for (const TControlLayout& row : layout)
    if (row.Page == wizard_page::kFrame && row.Parent == ControlId::None && row.Id != ControlId::Notebook)
      frame.push_back(&row);
  addSorted(frame);
  for (const TControlLayout& row : layout)
    if (row.Parent != ControlId::None || (row.Page != wizard_page::kFrame && !TakesFocus(row.Kind)))
      order.push_back(&row);
  order.push_back(&LayoutOf(ControlId::Notebook));
  return order;
}

// The character in upper case, in the ANSI code page.
char UpperCharacter(char c) {
  // CharUpper takes a single character in the low word of its argument.
  const auto single = reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(c)));
  return static_cast<char>(reinterpret_cast<UINT_PTR>(CharUpperA(single)));
}

// The letter after a single "&", upper-cased; 0 when the text has none.
char AcceleratorOf(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return UpperCharacter(caption[i + 1]);
    ++i;
  }
  return 0;
}

// The licence box scrolls with the arrow keys but leaves Tab, Enter and
// Escape to the dialog: Enter presses the default button, as a user expects
// of a read-only text.
LRESULT CALLBACK MemoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_GETDLGCODE)
    return DefSubclassProc(window, message, wParam, lParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, MemoProc, 0);
  return DefSubclassProc(window, message, wParam, lParam);
}

// Drops the keys, mouse clicks and close commands that wait in the queue.
// While the installation run blocks the event loop on the Copy page, which
// takes no input, they pile up; handed on once the run is over, they would
// reach the Ready page: Enter pressed during the copy would press Finish,
// the close box clicked then would end the setup before it was seen.
void DiscardWaitingInput(HWND window) {
  MSG message;
  while (PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  while (PeekMessageA(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
  }
  while (PeekMessageA(&message, nullptr, WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK, PM_REMOVE)) {
  }
  while (PeekMessageA(&message, window, WM_SYSCOMMAND, WM_SYSCOMMAND, PM_REMOVE)) {
  }
  while (PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE)) {
  }
}

std::string WindowText(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void RaiseLastError(const char* what) {
  throw EOSError(std::string(what) + ": " + SystemErrorMessage(GetLastError()));
}

}  // namespace

TWin32WizardWindow::TWin32WizardWindow(int pixelsPerInch) : pixelsPerInch_(pixelsPerInch > 0 ? pixelsPerInch : 96) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing = {sizeof existing};
  if (!GetClassInfoExA(instance, kWindowClass, &existing)) {
    // A dialog-like class: DefDlgProc gives the window the dialog manager's
    // default button, focus memory and accelerators.
    WNDCLASSEXA windowClass = {sizeof windowClass};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    if (windowClass.hIcon == nullptr) windowClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    if (RegisterClassExA(&windowClass) == 0) RaiseLastError("RegisterClassEx");
  }

  RECT frame{0, 0, Scale(kFormLayout.ClientWidth), Scale(kFormLayout.ClientHeight)};
  AdjustWindowRectEx(&frame, kWindowStyle, FALSE, kWindowExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  CreateWindowExA(kWindowExStyle, kWindowClass, kFormLayout.Caption, kWindowStyle, left, top, width, height, nullptr,
                  nullptr, instance, this);
  if (window_ == nullptr) RaiseLastError("CreateWindowEx");

  fonts_ = std::make_unique<TWin32WizardFonts>(
      pixelsPerInch_, TFontFace{kFormLayout.DesignFontName, kFormLayout.DesignFontSize});
  CreateControls();
  SendMessageA(window_, DM_SETDEFID, ControlIdNumber(ControlId::NextButton), 0);
}

TWin32WizardWindow::~TWin32WizardWindow() {
  sideImage_.reset();
  if (IsWindow(window_)) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
  // The fonts go after the windows that show them.
  fonts_.reset();
}

int TWin32WizardWindow::Scale(int value) const { return MulDiv(value, pixelsPerInch_, 96); }

void TWin32WizardWindow::CreateControls() {
  // Every place first: the pages' controls lie on Notebook, which is made last.
  controls_.resize(static_cast<size_t>(kLayoutControlCount));
  for (const TControlLayout& row : WizardLayout()) {
    TControl& control = controls_[static_cast<size_t>(row.Id)];
    control.Id = row.Id;
    control.Page = row.Page;
    control.Bounds = {Scale(row.Bounds.Left), Scale(row.Bounds.Top), Scale(row.Bounds.Width), Scale(row.Bounds.Height)};
  }
  for (const TControlLayout* row : CreationOrder()) {
    TControl& control = controls_[static_cast<size_t>(row->Id)];
    HWND parent = row->Parent == ControlId::None ? window_ : Get(row->Parent).Window;
    const POINT origin = Origin(control);
    control.Window = CreateControl(*row, parent,
                                   {origin.x + control.Bounds.Left, origin.y + control.Bounds.Top,
                                    control.Bounds.Width, control.Bounds.Height});
    fonts_->AddControl(*row, control.Window);
    ShowOnScreen(control);
  }
  sideImage_ = std::make_unique<TWin32SideImage>(Get(ControlId::Panel).Window, Get(ControlId::Image).Window);
}

HWND TWin32WizardWindow::CreateControl(const TControlLayout& row, HWND parent, const TLayoutRect& bounds) {
  const char* windowClass = WC_STATICA;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  if (TakesFocus(row.Kind)) style |= WS_TABSTOP | WS_GROUP;
  switch (row.Kind) {
    case ControlKind::Panel:
      windowClass = TWin32SideImage::PanelClass();
      style |= WS_CLIPCHILDREN;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Image:
      windowClass = TWin32SideImage::ImageClass();
      break;
    case ControlKind::Notebook:
      break;
    case ControlKind::Button:
      windowClass = WC_BUTTONA;
      style |= (row.Flags & control_flag::kDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
      break;
    case ControlKind::Label:
      style |= (row.Flags & control_flag::kWrap) ? SS_LEFT : SS_LEFTNOWORDWRAP;
      // Only a label that leads to a control has an accelerator; in the
      // others an "&" is the vendor's text ("Tom & Jerry") and is shown.
      if (row.FocusControl == ControlId::None) style |= SS_NOPREFIX;
      break;
    case ControlKind::Edit:
      windowClass = WC_EDITA;
      style |= ES_AUTOHSCROLL;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Memo:
      // No horizontal scrolling: long lines wrap.
      windowClass = WC_EDITA;
      style |= ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::CheckBox:
      windowClass = WC_BUTTONA;
      style |= BS_AUTOCHECKBOX;
      break;
    case ControlKind::ProgressBar:
      windowClass = PROGRESS_CLASSA;
      break;
  }
  HWND window = CreateWindowExA(exStyle, windowClass, row.Caption, style, bounds.Left, bounds.Top, bounds.Width,
                                bounds.Height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlIdNumber(row.Id))),
                                GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) RaiseLastError("CreateWindowEx");
  if (row.Kind == ControlKind::Memo) {
    // The licence may be longer than an edit box takes by default.
    SendMessageA(window, EM_SETLIMITTEXT, 0, 0);
    SetWindowSubclass(window, MemoProc, 0, 0);
  }
  if (row.Kind == ControlKind::ProgressBar) SendMessageA(window, PBM_SETRANGE32, 0, kProgressSteps);
  if (row.Flags & control_flag::kChecked) SendMessageA(window, BM_SETCHECK, BST_CHECKED, 0);
  return window;
}

TWin32WizardWindow::TControl* TWin32WizardWindow::Find(ControlId id) {
  const int index = static_cast<int>(id);
  if (index < 0 || static_cast<size_t>(index) >= controls_.size() || controls_[static_cast<size_t>(index)].Window == nullptr)
    return nullptr;
  return &controls_[static_cast<size_t>(index)];
}

TWin32WizardWindow::TControl& TWin32WizardWindow::Get(ControlId id) {
  TControl* control = Find(id);
  if (control == nullptr) throw Exception("The wizard has no control " + std::to_string(static_cast<int>(id)));
  return *control;
}

POINT TWin32WizardWindow::Origin(const TControl& control) {
  if (control.Page == wizard_page::kFrame) return {0, 0};
  const TLayoutRect& notebook = controls_[static_cast<size_t>(ControlId::Notebook)].Bounds;
  return {notebook.Left, notebook.Top};
}

void TWin32WizardWindow::Place(const TControl& control) {
  const POINT origin = Origin(control);
  MoveWindow(control.Window, origin.x + control.Bounds.Left, origin.y + control.Bounds.Top, control.Bounds.Width,
             control.Bounds.Height, TRUE);
}

void TWin32WizardWindow::ShowOnScreen(const TControl& control) {
  const bool onScreen = control.Visible && (control.Page == wizard_page::kFrame || control.Page == page_);
  ShowWindow(control.Window, onScreen ? SW_SHOWNA : SW_HIDE);
}

// -- the view ------------------------------------------------------------------

void TWin32WizardWindow::SelectPage(int page) {
  // Leaving the Copy page means that the installation run is over.
  if (page_ == wizard_page::kCopy && page != wizard_page::kCopy) DiscardWaitingInput(window_);
  // Drawn once the new page is complete, not control by control.
  const bool drawn = shown_ && IsWindowVisible(window_);
  if (drawn) SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
  page_ = page;
  for (const TControl& control : controls_)
    if (control.Window != nullptr && control.Page != wizard_page::kFrame && control.Page != page) ShowOnScreen(control);
  for (const TControl& control : controls_)
    if (control.Window != nullptr && control.Page == page) ShowOnScreen(control);
  if (drawn) {
    SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
}

std::string TWin32WizardWindow::Title() { return WindowText(window_); }

void TWin32WizardWindow::SetTitle(const std::string& title) { SetWindowTextA(window_, title.c_str()); }

std::string TWin32WizardWindow::Text(ControlId id) { return WindowText(Get(id).Window); }

void TWin32WizardWindow::SetText(ControlId id, const std::string& text) {
  SetWindowTextA(Get(id).Window, text.c_str());
}

bool TWin32WizardWindow::IsVisible(ControlId id) { return Get(id).Visible; }

void TWin32WizardWindow::SetVisible(ControlId id, bool visible) {
  TControl& control = Get(id);
  control.Visible = visible;
  ShowOnScreen(control);
}

bool TWin32WizardWindow::IsEnabled(ControlId id) { return IsWindowEnabled(Get(id).Window) != FALSE; }

void TWin32WizardWindow::SetEnabled(ControlId id, bool enabled) { EnableWindow(Get(id).Window, enabled); }

bool TWin32WizardWindow::IsChecked(ControlId id) {
  return SendMessageA(Get(id).Window, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TWin32WizardWindow::SetChecked(ControlId id, bool checked) {
  SendMessageA(Get(id).Window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TWin32WizardWindow::SetFocus(ControlId id) {
  HWND control = Get(id).Window;
  if (!shown_) {
    pendingFocus_ = control;
    return;
  }
  // Through the dialog manager, so that the default button follows the focus
  // and an edit box has its text selected.
  SendMessageA(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

TLayoutRect TWin32WizardWindow::Bounds(ControlId id) { return Get(id).Bounds; }

void TWin32WizardWindow::SetBounds(ControlId id, const TLayoutRect& bounds) {
  TControl& control = Get(id);
  control.Bounds = bounds;
  Place(control);
}

void TWin32WizardWindow::SetPage(ControlId id, int page) {
  TControl& control = Get(id);
  control.Page = page;
  ShowOnScreen(control);
}

void TWin32WizardWindow::AddBundleCheckBox(int index, const TLayoutRect& bounds, const std::string& caption,
                                           bool checked) {
  const ControlId id = BundleCheckId(index);
  if (controls_.size() <= static_cast<size_t>(id)) controls_.resize(static_cast<size_t>(id) + 1);
  TControl& control = controls_[static_cast<size_t>(id)];
  control.Id = id;
  control.Page = wizard_page::kBundleItems;
  control.Bounds = bounds;
  const POINT origin = Origin(control);
  control.Window = CreateWindowExA(0, WC_BUTTONA, caption.c_str(),
                                   WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_GROUP | BS_AUTOCHECKBOX,
                                   origin.x + bounds.Left, origin.y + bounds.Top, bounds.Width, bounds.Height, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlIdNumber(id))),
                                   GetModuleHandleA(nullptr), nullptr);
  if (control.Window == nullptr) RaiseLastError("CreateWindowEx");
  // In the tab order after the page's texts and the items before it.
  HWND previous = index > 0 ? Get(BundleCheckId(index - 1)).Window : Get(ControlId::BundleDescriptionLabel).Window;
  SetWindowPos(control.Window, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  fonts_->AddBoldControl(control.Window, wizard_page::kBundleItems);
  SendMessageA(control.Window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  ShowOnScreen(control);
}

void TWin32WizardWindow::SetProgressPosition(double percent) {
  HWND bar = Get(ControlId::CopyProgressBar).Window;
  const int steps = static_cast<int>(std::clamp(percent, 0.0, 100.0) * (kProgressSteps / 100) + 0.5);
  // The themed bar glides to a higher position on timer messages, which the
  // blocked event loop does not deliver during the run; a step back is drawn
  // at once, so the bar is taken one past the position and back.
  if (steps < kProgressSteps) {
    SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(steps + 1), 0);
    SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(steps), 0);
  } else {
    SendMessageA(bar, PBM_SETRANGE32, 0, kProgressSteps + 1);
    SendMessageA(bar, PBM_SETPOS, kProgressSteps + 1, 0);
    SendMessageA(bar, PBM_SETPOS, kProgressSteps, 0);
    SendMessageA(bar, PBM_SETRANGE32, 0, kProgressSteps);
  }
}

void TWin32WizardWindow::KeepResponsive() {
  // Windows takes a window for hung when its thread has not looked at its
  // queue for five seconds, and then draws a ghost over it. A look that
  // leaves every message where it is counts, and dispatches no input;
  // messages sent by other threads are still delivered.
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
}

void TWin32WizardWindow::RepaintNow(ControlId id) {
  RedrawWindow(Get(id).Window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void TWin32WizardWindow::SetSideImage(const TDecodedImage& image) { sideImage_->SetImage(image); }

void TWin32WizardWindow::UseThemedPanelBorder() { sideImage_->UseThemedBorder(); }

void TWin32WizardWindow::CloseWindow() {
  if (IsWindow(window_)) DestroyWindow(window_);
}

void TWin32WizardWindow::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void TWin32WizardWindow::Run() {
  if (!terminated_ && IsWindow(window_)) {
    ShowWindow(window_, SW_SHOWNORMAL);
    shown_ = true;
    SetForegroundWindow(window_);
    if (pendingFocus_ != nullptr) SendMessageA(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pendingFocus_), TRUE);
    UpdateWindow(window_);
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsWindow(window_) && (HandleLabelAccelerator(message) || IsDialogMessageA(window_, &message))) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool TWin32WizardWindow::HandleLabelAccelerator(const MSG& message) {
  // Alt and the letter, or the letter alone where the focus takes no typing.
  if (message.message != WM_SYSCHAR && message.message != WM_CHAR) return false;
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  if (message.message == WM_CHAR &&
      (SendMessageA(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message)) &
       (DLGC_WANTCHARS | DLGC_WANTMESSAGE)))
    return false;
  const char key = UpperCharacter(static_cast<char>(message.wParam));
  for (const TControlLayout& row : WizardLayout()) {
    if (row.Kind != ControlKind::Label || row.FocusControl == ControlId::None) continue;
    const TControl& label = Get(row.Id);
    if (!IsWindowVisible(label.Window) || !IsWindowEnabled(label.Window) || AcceleratorOf(Text(row.Id)) != key)
      continue;
    const TControl& target = Get(row.FocusControl);
    if (IsWindowVisible(target.Window) && IsWindowEnabled(target.Window))
      SendMessageA(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target.Window), TRUE);
    return true;
  }
  return false;
}

// -- messages ------------------------------------------------------------------

LRESULT CALLBACK TWin32WizardWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TWin32WizardWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TWin32WizardWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefDlgProcA(window, message, wParam, lParam);
  // Nothing may unwind into Windows: the page flow reports its own errors,
  // and whatever else escapes ends here.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    MessageBoxA(window, error.what(), nullptr, MB_OK | MB_ICONSTOP);
    return 0;
  }
}

LRESULT TWin32WizardWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int number = LOWORD(wParam);
      if (events_ == nullptr) return 0;
      if (number == IDCANCEL) {
        // Escape, through the Cancel button when it can be pressed.
        TControl& cancel = Get(ControlId::CancelButton);
        if (cancel.Visible && IsWindowEnabled(cancel.Window)) events_->ControlClicked(ControlId::CancelButton);
        return 0;
      }
      if (HIWORD(wParam) == BN_CLICKED && number >= kFirstControlId && Find(static_cast<ControlId>(number - kFirstControlId)))
        events_->ControlClicked(static_cast<ControlId>(number - kFirstControlId));
      return 0;
    }
    case WM_CLOSE:
      // Also what the dialog manager would turn into Cancel: the close box
      // asks the page flow.
      if (events_ != nullptr) events_->CloseRequested();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefDlgProcA(window_, message, wParam, lParam);
  }
}

std::unique_ptr<WizardWindow> TWin32WizardHost::CreateWizardWindow() {
  return std::make_unique<TWin32WizardWindow>(system_.ScreenPixelsPerInch());
}
