#include "common/apply_display_font.h"

namespace {

// Depth first; a control with a font of its own may still hold controls that
// carry the form's font, so every holder is entered.
void CollectFormFontControls(const std::vector<DisplayControl*>& controls, const TFontFace& formFont,
                             std::vector<DisplayControl*>& collected) {
  for (DisplayControl* control : controls) {
    if (!control->UsesParentFont() && control->Font() == formFont) collected.push_back(control);
    CollectFormFontControls(control->Children(), formFont, collected);
  }
}

}  // namespace

void ApplyDisplayFont(DisplayForm& form, TDisplay& display) {
  std::vector<DisplayControl*> collected;
  CollectFormFontControls(form.Controls(), form.Font(), collected);

  form.AssignFont(display.DisplayFont());
  // The form's font now has the display font's face and size, whether that is
  // a chosen face or the platform's default.
  const TFontFace face = form.Font();
  for (DisplayControl* control : collected) control->SetFontFace(face);

  TSizeLimits limits = form.SizeLimits();
  limits.MaxWidth = display.ScaleForDisplay(limits.MaxWidth);
  limits.MaxHeight = display.ScaleForDisplay(limits.MaxHeight);
  limits.MinWidth = display.ScaleForDisplay(limits.MinWidth);
  limits.MinHeight = display.ScaleForDisplay(limits.MinHeight);
  form.SetSizeLimits(limits);
}
