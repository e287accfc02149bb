#include "wizard/win32/win32_wizard_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/apply_display_font.h"
#include "common/display.h"
#include "fake_libraries.h"
#include "fake_system.h"

namespace {

HWND ControlWindow(TWin32WizardWindow& window, ControlId id) {
  const TControlLayout& row = LayoutOf(id);
  HWND parent = static_cast<HWND>(window.Handle());
  if (row.Parent != ControlId::None) parent = ControlWindow(window, row.Parent);
  return GetDlgItem(parent, kFirstControlId + static_cast<int>(id));
}

// The control's rectangle in its parent window's client area.
TLayoutRect PlaceOf(HWND control) {
  RECT bounds;
  GetWindowRect(control, &bounds);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&bounds), 2);
  return {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
}

bool HasVisibleStyle(HWND control) { return (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0; }

LOGFONTA FontOf(HWND control) {
  LOGFONTA font = {};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font;
}

// Every control where the layout puts it, scaled by the screen's resolution:
// the frame's in the window's client area, a page's on Notebook, Image in
// Panel's client area (inside the border).
TEST(Win32WizardWindow, EveryControlIsWhereTheLayoutPutsItScaledForTheScreen) {
  for (const int pixelsPerInch : {96, 144}) {
    SCOPED_TRACE(pixelsPerInch);
    TWin32WizardWindow window(pixelsPerInch);
    auto scale = [&](int value) { return MulDiv(value, pixelsPerInch, 96); };
    const TControlLayout& notebook = LayoutOf(ControlId::Notebook);
    for (const TControlLayout& row : WizardLayout()) {
      SCOPED_TRACE(row.Name);
      HWND control = ControlWindow(window, row.Id);
      ASSERT_NE(control, nullptr);
      const int left = row.Page == wizard_page::kFrame ? 0 : scale(notebook.Bounds.Left);
      const int top = row.Page == wizard_page::kFrame ? 0 : scale(notebook.Bounds.Top);
      const TLayoutRect expected{left + scale(row.Bounds.Left), top + scale(row.Bounds.Top), scale(row.Bounds.Width),
                                 scale(row.Bounds.Height)};
      EXPECT_EQ(PlaceOf(control), expected);
      EXPECT_EQ(window.Bounds(row.Id), (TLayoutRect{scale(row.Bounds.Left), scale(row.Bounds.Top),
                                                    scale(row.Bounds.Width), scale(row.Bounds.Height)}));
    }
    RECT client;
    GetClientRect(static_cast<HWND>(window.Handle()), &client);
    EXPECT_EQ(client.right, scale(kFormLayout.ClientWidth));
    EXPECT_EQ(client.bottom, scale(kFormLayout.ClientHeight));
  }
}

TEST(Win32WizardWindow, APageShowsItsOwnControlsOnly) {
  TWin32WizardWindow window(96);
  window.SelectPage(wizard_page::kDest);
  window.SetVisible(ControlId::DestStepLabel, false);
  for (const TControlLayout& row : WizardLayout()) {
    SCOPED_TRACE(row.Name);
    const bool expected = (row.Page == wizard_page::kFrame || row.Page == wizard_page::kDest) &&
                          row.Id != ControlId::DestStepLabel;
    EXPECT_EQ(HasVisibleStyle(ControlWindow(window, row.Id)), expected);
  }
  // A control moved to another page comes and goes with that page.
  window.SetPage(ControlId::InstallLabel, wizard_page::kDest);
  EXPECT_TRUE(HasVisibleStyle(ControlWindow(window, ControlId::InstallLabel)));
  window.SelectPage(wizard_page::kIcon);
  EXPECT_FALSE(HasVisibleStyle(ControlWindow(window, ControlId::InstallLabel)));
  // Hidden by its own flag, a control stays hidden when its page returns.
  window.SelectPage(wizard_page::kDest);
  EXPECT_FALSE(HasVisibleStyle(ControlWindow(window, ControlId::DestStepLabel)));
}

// The display font over the real controls: the window's face everywhere,
// the headings keeping their bold style, bundle check boxes made afterwards
// in the same face, bold.
TEST(Win32WizardWindow, TheDisplayFontReachesEveryControlAndHeadingsStayBold) {
  for (const int pixelsPerInch : {96, 144}) {
    SCOPED_TRACE(pixelsPerInch);
    TFakeLibraries libraries;
    TFakeSystem system;
    system.SetWindowsMajorVersion(5);
    system.SetInstalledFonts({"Tahoma"});
    TDisplay display(libraries, system);
    TWin32WizardWindow window(pixelsPerInch);
    ApplyDisplayFont(window.Fonts(), display);
    window.AddBundleCheckBox(0, {8, 60, 305, 24}, "Item", true);

    const LONG height = -MulDiv(8, pixelsPerInch, 72);
    for (const TControlLayout& row : WizardLayout()) {
      if (row.Kind == ControlKind::Image || row.Kind == ControlKind::Panel || row.Kind == ControlKind::Notebook)
        continue;
      SCOPED_TRACE(row.Name);
      const LOGFONTA font = FontOf(ControlWindow(window, row.Id));
      EXPECT_STREQ(font.lfFaceName, "Tahoma");
      EXPECT_EQ(font.lfHeight, height);
      EXPECT_EQ(font.lfWeight >= FW_BOLD, (row.Flags & control_flag::kBold) != 0);
    }
    const LOGFONTA item = FontOf(GetDlgItem(static_cast<HWND>(window.Handle()),
                                            kFirstControlId + static_cast<int>(BundleCheckId(0))));
    EXPECT_STREQ(item.lfFaceName, "Tahoma");
    EXPECT_GE(item.lfWeight, FW_BOLD);
  }
}

TEST(Win32WizardWindow, ControlsKeepTheirTextsStatesAndPlaces) {
  TWin32WizardWindow window(96);
  window.SetText(ControlId::DestFolderInput, "C:\\Program Files\\Tool\\");
  EXPECT_EQ(window.Text(ControlId::DestFolderInput), "C:\\Program Files\\Tool\\");
  EXPECT_EQ(window.Text(ControlId::NextButton), "&Next >");
  EXPECT_TRUE(window.IsChecked(ControlId::IconDesktopCheck));
  window.SetChecked(ControlId::IconDesktopCheck, false);
  EXPECT_FALSE(window.IsChecked(ControlId::IconDesktopCheck));
  window.SetEnabled(ControlId::Vst2FolderInput, false);
  EXPECT_FALSE(window.IsEnabled(ControlId::Vst2FolderInput));
  window.SetBounds(ControlId::InstallLabel, {8, 108, 221, 17});
  EXPECT_EQ(PlaceOf(ControlWindow(window, ControlId::InstallLabel)), (TLayoutRect{184, 116, 221, 17}));
  // A licence longer than an edit box takes by default arrives whole.
  std::string licence;
  while (licence.size() < 100000) licence += "Permission is granted to use this software as it stands.\r\n";
  window.SetText(ControlId::LicenseMemo, licence);
  EXPECT_EQ(window.Text(ControlId::LicenseMemo).size(), licence.size());
  window.SetTitle("Tool Setup");
  EXPECT_EQ(window.Title(), "Tool Setup");
}

}  // namespace
