// The wizard window on Windows: a dialog-like top-level window whose controls
// are made from the layout table. All controls are direct children of the
// window, so that the dialog manager gives them what a Windows user expects:
// Tab and Shift+Tab, Enter on the default button, Escape on Cancel, the "&"
// accelerators of labels and buttons. A page is the set of controls shown
// while it is selected.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "wizard/win32/win32_wizard_fonts.h"
#include "wizard/wizard_window.h"

class System;
class TWin32SideImage;

class TWin32WizardWindow : public WizardWindow {
 public:
  // Makes the window and every control, scaled for pixelsPerInch; raises
  // EOSError when Windows cannot make them.
  explicit TWin32WizardWindow(int pixelsPerInch);
  ~TWin32WizardWindow() override;
  TWin32WizardWindow(const TWin32WizardWindow&) = delete;
  TWin32WizardWindow& operator=(const TWin32WizardWindow&) = delete;

  void Connect(WizardEvents& events) override { events_ = &events; }
  void Run() override;

  void SelectPage(int page) override;
  int SelectedPage() override { return page_; }
  std::string Title() override;
  void SetTitle(const std::string& title) override;
  std::string Text(ControlId id) override;
  void SetText(ControlId id, const std::string& text) override;
  bool IsVisible(ControlId id) override;
  void SetVisible(ControlId id, bool visible) override;
  bool IsEnabled(ControlId id) override;
  void SetEnabled(ControlId id, bool enabled) override;
  bool IsChecked(ControlId id) override;
  void SetChecked(ControlId id, bool checked) override;
  void SetFocus(ControlId id) override;
  TLayoutRect Bounds(ControlId id) override;
  void SetBounds(ControlId id, const TLayoutRect& bounds) override;
  void SetPage(ControlId id, int page) override;
  void AddBundleCheckBox(int index, const TLayoutRect& bounds, const std::string& caption, bool checked) override;
  void SetProgressPosition(double percent) override;
  void KeepResponsive() override;
  void RepaintNow(ControlId id) override;
  void SetSideImage(const TDecodedImage& image) override;
  void UseThemedPanelBorder() override;
  DisplayForm& Fonts() override { return *fonts_; }
  WindowHandle Handle() override { return window_; }
  void CloseWindow() override;
  void Terminate() override;

 private:
  struct TControl {
    ControlId Id = ControlId::None;
    HWND Window = nullptr;
    int Page = -1;  // wizard_page index or kFrame
    bool Visible = true;
    TLayoutRect Bounds;  // scaled, relative to its parent in the layout
  };

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  // A label's accelerator moves the focus to the label's control; the dialog
  // manager would look for that control beside the label instead.
  bool HandleLabelAccelerator(const MSG& message);
  HWND CreateControl(const TControlLayout& row, HWND parent, const TLayoutRect& bounds);
  TControl* Find(ControlId id);
  TControl& Get(ControlId id);
  // Where a control's rectangle is measured from, in the window's client area.
  POINT Origin(const TControl& control);
  void Place(const TControl& control);
  void ShowOnScreen(const TControl& control);
  int Scale(int value) const;

  int pixelsPerInch_;
  HWND window_ = nullptr;
  std::vector<TControl> controls_;  // the layout's, then the bundle check boxes
  std::unique_ptr<TWin32WizardFonts> fonts_;
  std::unique_ptr<TWin32SideImage> sideImage_;
  WizardEvents* events_ = nullptr;
  int page_ = 0;
  bool shown_ = false;
  bool terminated_ = false;
  HWND pendingFocus_ = nullptr;  // focus asked for before the window was shown
};

// Control ids of the window's children: kFirstControlId + the ControlId.
inline constexpr int kFirstControlId = 1000;

// Makes windows at the screen's resolution.
class TWin32WizardHost : public WizardHost {
 public:
  explicit TWin32WizardHost(System& system) : system_(system) {}
  std::unique_ptr<WizardWindow> CreateWizardWindow() override;

 private:
  System& system_;
};
