// The wizard window as the page flow sees it: controls named by ControlId,
// with their texts, states and places. The Win32 window implements it; the
// unit tests give the flow a fake.
#pragma once

#include <string>

#include "platform/shell.h"
#include "wizard/wizard_layout.h"

class DisplayForm;
struct TDecodedImage;

// What the window reports to the page flow.
class WizardEvents {
 public:
  virtual ~WizardEvents() = default;
  // A button or check box was clicked (by mouse, key or accelerator). A check
  // box has its new state already.
  virtual void ControlClicked(ControlId id) = 0;
  // The close box, the system menu, Alt+F4 or Escape through the Cancel
  // button: the window closes only when the flow allows it.
  virtual void CloseRequested() = 0;
};

class WizardView {
 public:
  virtual ~WizardView() = default;

  // The page container shows page (0 to 10) and hides the others.
  virtual void SelectPage(int page) = 0;
  virtual int SelectedPage() = 0;

  virtual std::string Title() = 0;
  virtual void SetTitle(const std::string& title) = 0;

  // The caption of a label, button or check box; the text of an edit box or
  // of the memo.
  virtual std::string Text(ControlId id) = 0;
  virtual void SetText(ControlId id, const std::string& text) = 0;
  // The control's own visibility: a control on a page that is not shown is
  // still "visible" here, as it appears once its page comes.
  virtual bool IsVisible(ControlId id) = 0;
  virtual void SetVisible(ControlId id, bool visible) = 0;
  virtual bool IsEnabled(ControlId id) = 0;
  virtual void SetEnabled(ControlId id, bool enabled) = 0;
  virtual bool IsChecked(ControlId id) = 0;
  // Changes the check mark without reporting a click.
  virtual void SetChecked(ControlId id, bool checked) = 0;
  virtual void SetFocus(ControlId id) = 0;

  // In pixels of the screen (the layout already scaled), relative to the
  // control's parent as in the layout.
  virtual TLayoutRect Bounds(ControlId id) = 0;
  virtual void SetBounds(ControlId id, const TLayoutRect& bounds) = 0;
  // Moves a control from its page to another one.
  virtual void SetPage(ControlId id, int page) = 0;
  // Makes the bold check box BundleCheckId(index) on the BundleItems page.
  virtual void AddBundleCheckBox(int index, const TLayoutRect& bounds, const std::string& caption, bool checked) = 0;

  // The progress bar's position, 0 to 100, in steps of a hundredth.
  virtual void SetProgressPosition(double percent) = 0;
  // Lets Windows see that the window's thread is alive while it works
  // without its event loop, and handles no input: nothing the user does
  // can start anything meanwhile.
  virtual void KeepResponsive() = 0;
  // Draws the control now, without waiting for the event loop.
  virtual void RepaintNow(ControlId id) = 0;
  virtual void SetSideImage(const TDecodedImage& image) = 0;
  virtual void UseThemedPanelBorder() = 0;

  // The window's font and its control tree, for ApplyDisplayFont.
  virtual DisplayForm& Fonts() = 0;
  // The owner of the folder browser.
  virtual WindowHandle Handle() = 0;
  // Takes the window away: the close was allowed.
  virtual void CloseWindow() = 0;
  // Ends the program as soon as control returns to the event loop; the
  // window is not shown if it is not shown yet.
  virtual void Terminate() = 0;
};
