// Prints the wizard's layout table for the end-to-end tests, one control a
// line: NAME|ID|PAGE|KIND|LEFT,TOP,WIDTH,HEIGHT, with the control id the
// window gives it and the rectangle at 96 dots per inch, relative to the
// control's parent as in the table. The last line is the window's client
// size: Form|0|-1|Form|0,0,WIDTH,HEIGHT.
#include <cstdio>

#include "wizard/win32/win32_wizard_window.h"
#include "wizard/wizard_layout.h"

int main() {
  static const char* const kinds[] = {"Panel", "Image", "Notebook", "Button", "Label",
                                      "Edit",  "Memo",  "CheckBox", "ProgressBar"};
  for (const TControlLayout& row : WizardLayout()) {
    std::printf("%s|%d|%d|%s|%d,%d,%d,%d\n", row.Name, kFirstControlId + static_cast<int>(row.Id), row.Page,
                kinds[static_cast<int>(row.Kind)], row.Bounds.Left, row.Bounds.Top, row.Bounds.Width,
                row.Bounds.Height);
  }
  std::printf("Form|0|-1|Form|0,0,%d,%d\n", kFormLayout.ClientWidth, kFormLayout.ClientHeight);
  return 0;
}
