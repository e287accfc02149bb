// The wizard's window for tests: every control of the layout with its text,
// states and place, a record of the pages shown and the repaints asked for,
// and the user's actions (clicks, typing, the close box) played into the page
// flow.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/apply_display_font.h"
#include "wizard/wizard_window.h"

struct TFakeControl {
  int Page = -1;
  std::string Text;
  bool Visible = true;
  bool Enabled = true;
  bool Checked = false;
  TLayoutRect Bounds;
  bool Bold = false;
  TFontFace Font;  // the face the control shows
};

// A repaint asked for, with what the control showed at that moment.
struct TRepaint {
  ControlId Id;
  std::string Text;
  int Progress;
  bool operator==(const TRepaint&) const = default;
};

class TFakeWizardWindow : public WizardWindow, private DisplayForm {
 public:
  // The layout as built at pixelsPerInch.
  explicit TFakeWizardWindow(int pixelsPerInch = 96);
  ~TFakeWizardWindow() override;

  void Connect(WizardEvents& events) override { events_ = &events; }
  // Shows the window unless the program was ended, and lets User act on it.
  void Run() override;
  // What the user does while the window runs.
  std::function<void(TFakeWizardWindow&)> User;

  void SelectPage(int page) override;
  int SelectedPage() override { return page_; }
  std::string Title() override { return title_; }
  void SetTitle(const std::string& title) override { title_ = title; }
  std::string Text(ControlId id) override { return Get(id).Text; }
  void SetText(ControlId id, const std::string& text) override { Get(id).Text = text; }
  bool IsVisible(ControlId id) override { return Get(id).Visible; }
  void SetVisible(ControlId id, bool visible) override { Get(id).Visible = visible; }
  bool IsEnabled(ControlId id) override { return Get(id).Enabled; }
  void SetEnabled(ControlId id, bool enabled) override { Get(id).Enabled = enabled; }
  bool IsChecked(ControlId id) override { return Get(id).Checked; }
  void SetChecked(ControlId id, bool checked) override { Get(id).Checked = checked; }
  void SetFocus(ControlId id) override;
  TLayoutRect Bounds(ControlId id) override { return Get(id).Bounds; }
  void SetBounds(ControlId id, const TLayoutRect& bounds) override { Get(id).Bounds = bounds; }
  void SetPage(ControlId id, int page) override { Get(id).Page = page; }
  void AddBundleCheckBox(int index, const TLayoutRect& bounds, const std::string& caption, bool checked) override;
  void SetProgressPosition(double percent) override { progress_ = percent; }
  void KeepResponsive() override { ++keptResponsive_; }
  void RepaintNow(ControlId id) override { repaints_.push_back({id, Get(id).Text, static_cast<int>(progress_)}); }
  void SetSideImage(const TDecodedImage& image) override;
  void UseThemedPanelBorder() override { themedBorder_ = true; }
  DisplayForm& Fonts() override { return *this; }
  WindowHandle Handle() override { return reinterpret_cast<WindowHandle>(this); }
  void CloseWindow() override { closed_ = true; }
  void Terminate() override { terminated_ = true; }

  // -- the user ---------------------------------------------------------
  // Clicks a button or check box (a check box changes its state first), as
  // the window reports it: only a control that is on screen and enabled.
  void Click(ControlId id);
  void Type(ControlId id, const std::string& text) { Get(id).Text = text; }
  void CloseBox();
  // The control exists and is shown on the selected page (or in the frame).
  bool OnScreen(ControlId id);

  // -- what happened ------------------------------------------------------
  TFakeControl& Get(ControlId id);
  bool Has(ControlId id) const { return controls_.count(id) != 0; }
  // Every page shown, in order.
  const std::vector<int>& PagesShown() const { return pagesShown_; }
  ControlId Focus() const { return focus_; }
  double Progress() const { return progress_; }
  int KeptResponsive() const { return keptResponsive_; }
  const std::vector<TRepaint>& Repaints() const { return repaints_; }
  int BundleCheckBoxes() const { return bundleBoxes_; }
  bool HasSideImage() const { return imageWidth_ > 0; }
  bool ThemedBorder() const { return themedBorder_; }
  bool Closed() const { return closed_; }
  bool Terminated() const { return terminated_; }
  bool Shown() const { return shown_; }

 private:
  // The window's font for ApplyDisplayFont: the layout's headings have fonts
  // of their own, every other control shows the window's.
  TFontFace Font() const override { return face_; }
  void AssignFont(const TDisplayFont& font) override;
  std::vector<DisplayControl*> Controls() override;
  TSizeLimits SizeLimits() const override { return {}; }
  void SetSizeLimits(const TSizeLimits&) override {}

  class TFontNode;

  std::map<ControlId, TFakeControl> controls_;
  std::vector<std::unique_ptr<TFontNode>> fontNodes_;
  WizardEvents* events_ = nullptr;
  std::string title_;
  TFontFace face_;
  int page_ = -1;
  std::vector<int> pagesShown_;
  ControlId focus_ = ControlId::None;
  double progress_ = 0;
  int keptResponsive_ = 0;
  std::vector<TRepaint> repaints_;
  int bundleBoxes_ = 0;
  int imageWidth_ = 0;
  bool themedBorder_ = false;
  bool closed_ = false;
  bool terminated_ = false;
  bool shown_ = false;
};

// Makes fake windows whose user is User; start-up owns each window and
// takes it away when the program ends, so the test looks at it from User.
class TFakeWizardHost : public WizardHost {
 public:
  std::unique_ptr<WizardWindow> CreateWizardWindow() override;

  std::function<void(TFakeWizardWindow&)> User;
  int WindowsMade = 0;
  // Whether the last window was shown when it ran.
  bool Shown = false;
};
