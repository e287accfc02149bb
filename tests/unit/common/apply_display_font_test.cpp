#include "common/apply_display_font.h"

#include <gtest/gtest.h>

#include <memory>

#include "fake_libraries.h"
#include "fake_system.h"

namespace {

class TTestControl : public DisplayControl {
 public:
  TTestControl(bool usesParentFont, TFontFace font) : usesParentFont_(usesParentFont), font_(std::move(font)) {}
  bool UsesParentFont() const override { return usesParentFont_; }
  TFontFace Font() const override { return font_; }
  void SetFontFace(const TFontFace& face) override {
    font_ = face;
    ++changes;
  }
  std::vector<DisplayControl*> Children() override {
    std::vector<DisplayControl*> children;
    for (auto& child : children_) children.push_back(child.get());
    return children;
  }
  TTestControl& Add(bool usesParentFont, TFontFace font) {
    children_.push_back(std::make_unique<TTestControl>(usesParentFont, std::move(font)));
    return *children_.back();
  }
  int changes = 0;

 private:
  bool usesParentFont_;
  TFontFace font_;
  std::vector<std::unique_ptr<TTestControl>> children_;
};

// The platform's default font, as the form's font object would report it.
const TFontFace kPlatformDefault{"System Default", 8};

class TTestForm : public DisplayForm {
 public:
  TFontFace Font() const override { return font_; }
  void AssignFont(const TDisplayFont& font) override {
    font_ = font.PlatformDefault ? kPlatformDefault : TFontFace{font.Name, font.Size};
  }
  std::vector<DisplayControl*> Controls() override { return root_.Children(); }
  TSizeLimits SizeLimits() const override { return limits; }
  void SetSizeLimits(const TSizeLimits& value) override { limits = value; }
  TTestControl& Add(bool usesParentFont, TFontFace font) { return root_.Add(usesParentFont, std::move(font)); }

  TSizeLimits limits;

 private:
  TFontFace font_{"MS Sans Serif", 8};
  TTestControl root_{true, {}};
};

const TFontFace kFormFont{"MS Sans Serif", 8};

class ApplyDisplayFontTest : public ::testing::Test {
 protected:
  ApplyDisplayFontTest()
      : label(form.Add(false, kFormFont)),
        heading(form.Add(false, {"MS Sans Serif", 12})),
        otherFace(form.Add(false, {"ms sans serif", 8})),
        followsForm(form.Add(true, kFormFont)),
        panel(form.Add(false, {"Arial", 8})),
        labelInPanel(panel.Add(false, kFormFont)),
        groupInPanel(panel.Add(true, kFormFont)),
        deepLabel(groupInPanel.Add(false, kFormFont)) {}

  TDisplay DisplayAt(int pixelsPerInch) {
    system.SetPixelsPerInch(pixelsPerInch);
    return TDisplay(libraries, system);
  }

  TTestForm form;
  TTestControl &label, &heading, &otherFace, &followsForm, &panel, &labelInPanel, &groupInPanel, &deepLabel;
  TFakeLibraries libraries;
  TFakeSystem system;
};

TEST_F(ApplyDisplayFontTest, ControlsWithTheFormsOwnFontGetTheDisplayFaceWhereverTheyAre) {
  TDisplay display = DisplayAt(96);
  ApplyDisplayFont(form, display);
  const TFontFace segoe{"Segoe UI", 9};
  EXPECT_EQ(form.Font(), segoe);
  EXPECT_EQ(label.Font(), segoe);
  EXPECT_EQ(labelInPanel.Font(), segoe);  // inside a holder that keeps its own font
  EXPECT_EQ(deepLabel.Font(), segoe);
  // Fonts chosen to differ stay: another size, another face, and the same
  // face spelt differently.
  EXPECT_EQ(heading.Font(), (TFontFace{"MS Sans Serif", 12}));
  EXPECT_EQ(panel.Font(), (TFontFace{"Arial", 8}));
  EXPECT_EQ(otherFace.Font(), (TFontFace{"ms sans serif", 8}));
  // Controls that use their parent's font follow the form by themselves.
  EXPECT_EQ(followsForm.changes, 0);
  EXPECT_EQ(groupInPanel.changes, 0);
}

TEST_F(ApplyDisplayFontTest, WithThePlatformsDefaultFontTheControlsTakeThatFace) {
  system.SetInstalledFonts({});
  TDisplay display = DisplayAt(96);
  ApplyDisplayFont(form, display);
  EXPECT_EQ(form.Font(), kPlatformDefault);
  EXPECT_EQ(label.Font(), kPlatformDefault);
  EXPECT_EQ(heading.Font(), (TFontFace{"MS Sans Serif", 12}));
}

TEST_F(ApplyDisplayFontTest, ScalesTheSizeLimitsAndLeavesNoLimitAlone) {
  form.limits = {650, 0, 400, 300};
  TDisplay display = DisplayAt(120);
  ApplyDisplayFont(form, display);
  EXPECT_EQ(form.limits, (TSizeLimits{800, 0, 492, 369}));
}

}  // namespace
