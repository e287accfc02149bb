// The wizard window's fonts as ApplyDisplayFont sees them: the window's font
// and a tree of its controls as the layout nests them (the frame, Panel with
// Image, Notebook with its eleven pages and their controls).
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "common/apply_display_font.h"
#include "wizard/wizard_layout.h"

class TWin32FontNode;

class TWin32WizardFonts : public DisplayForm {
 public:
  // The design font, at the screen's resolution.
  TWin32WizardFonts(int pixelsPerInch, const TFontFace& designFont);
  ~TWin32WizardFonts() override;
  TWin32WizardFonts(const TWin32WizardFonts&) = delete;
  TWin32WizardFonts& operator=(const TWin32WizardFonts&) = delete;

  // Adds a control of the layout below its parent in the tree and gives it
  // its font: the window's, or its own bold one for a heading.
  void AddControl(const TControlLayout& row, HWND window);
  // A control made at run time with the window's face in bold.
  void AddBoldControl(HWND window, int page);

  TFontFace Font() const override { return face_; }
  void AssignFont(const TDisplayFont& font) override;
  std::vector<DisplayControl*> Controls() override;
  TSizeLimits SizeLimits() const override { return limits_; }
  void SetSizeLimits(const TSizeLimits& limits) override { limits_ = limits; }

 private:
  TWin32FontNode& NodeFor(const TControlLayout& row);

  int pixelsPerInch_;
  TFontFace face_;
  HFONT font_ = nullptr;
  TSizeLimits limits_;
  std::vector<std::unique_ptr<TWin32FontNode>> nodes_;  // owns every node
  std::vector<TWin32FontNode*> top_;                    // the window's own children
  TWin32FontNode* panel_ = nullptr;
  TWin32FontNode* notebook_ = nullptr;
  std::vector<TWin32FontNode*> pages_;
};

// A font of face at the screen's resolution; the caller deletes it.
HFONT CreateFaceFont(const TFontFace& face, bool bold, int pixelsPerInch);
