// The wizard's window as start-up sees it: made by the window system, told
// where to report its events, and run until it closes.
#pragma once

#include <memory>

#include "wizard/wizard_view.h"

class WizardWindow : public WizardView {
 public:
  // Where clicks and close requests go from now on.
  virtual void Connect(WizardEvents& events) = 0;
  // Shows the window, unless the program was ended meanwhile, and handles its
  // events until it closes or the program is ended.
  virtual void Run() = 0;
};

class WizardHost {
 public:
  virtual ~WizardHost() = default;
  // A window with every control of the layout, scaled for the screen and
  // not shown yet.
  virtual std::unique_ptr<WizardWindow> CreateWizardWindow() = 0;
};
