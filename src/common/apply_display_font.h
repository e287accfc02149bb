// Giving a form and its controls the display font and scaling its size limits,
// over a small view of a window's control tree so that the steps can run
// without a window system.
#pragma once

#include <string>
#include <vector>

#include "common/display.h"

struct TFontFace {
  std::string Name;
  int Size = 0;  // points
  bool operator==(const TFontFace&) const = default;
};

class DisplayControl {
 public:
  virtual ~DisplayControl() = default;
  // True when the control shows its parent's font and follows its changes.
  virtual bool UsesParentFont() const = 0;
  virtual TFontFace Font() const = 0;
  // Changes the face and size only; style and colour stay.
  virtual void SetFontFace(const TFontFace& face) = 0;
  // The controls it holds; empty for a control that can hold none.
  virtual std::vector<DisplayControl*> Children() = 0;
};

// 0 is "no limit".
struct TSizeLimits {
  int MaxWidth = 0;
  int MaxHeight = 0;
  int MinWidth = 0;
  int MinHeight = 0;
  bool operator==(const TSizeLimits&) const = default;
};

class DisplayForm {
 public:
  virtual ~DisplayForm() = default;
  virtual TFontFace Font() const = 0;
  // Replaces the form's font whole (style and colour too); the controls that
  // use their parent's font follow it.
  virtual void AssignFont(const TDisplayFont& font) = 0;
  virtual std::vector<DisplayControl*> Controls() = 0;
  virtual TSizeLimits SizeLimits() const = 0;
  virtual void SetSizeLimits(const TSizeLimits& limits) = 0;
};

// Gives the form the display font. A control anywhere below the form that has
// its own font, equal in face (case-sensitive) and size to the form's old
// font, gets the new face and size too; a control whose font was chosen to
// differ keeps it. Then scales the form's size limits for the display.
void ApplyDisplayFont(DisplayForm& form, TDisplay& display);
