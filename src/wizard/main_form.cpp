// Creating the wizard: the setup logic first, then every page filled from its
// settings; and the progress display of the installation run.
#include "wizard/main_form.h"

#include <new>

#include "common/apply_display_font.h"
#include "common/display.h"
#include "common/errors.h"
#include "common/text.h"
#include "platform/platform.h"
#include "setuplogic/setup_installer.h"
#include "wizard/wizard_texts.h"

TMainForm::TMainForm(Platform& platform, TDisplay& display, Resources& resources, WizardView& view)
    : platform_(platform), display_(display), resources_(resources), view_(view) {}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
  if (!RunOrEnd([this] { installer_ = std::make_unique<TSetupInstaller>(platform_); })) return;
  TSetupInstaller& setup = *installer_;

  ApplyDisplayFont(view_.Fonts(), display_);
  view_.UseThemedPanelBorder();
  view_.SetTitle(setup.ExpandText(view_.Title()));
  platform_.Boxes.SetTitle(view_.Title());

  // A missing or damaged side image costs the picture, not the installation:
  // setuppack warns the vendor about it before the setup ships.
  try {
    view_.SetSideImage(setup.LoadSideImage());
  } catch (const Exception&) {
  }

  ExpandCaption(ControlId::WelcomeHeadingLabel);
  ExpandCaption(ControlId::WelcomeDescriptionLabel);
  view_.SetText(ControlId::LicenseMemo, setup.LicenseText);
  ExpandCaption(ControlId::BundleHeadingLabel);
  ExpandCaption(ControlId::BundleDescriptionLabel);
  CreateBundleCheckBoxes();

  for (ControlId id : {ControlId::DigiDescriptionLabel, ControlId::DigiInstallCheck})
    view_.SetText(id, ExpandPluginText(view_.Text(id)));
  SetCheckedAsClick(ControlId::DigiInstallCheck, setup.InstallDigiPlugin);
  view_.SetText(ControlId::DigiFolderInput, setup.DigiPluginFolder);

  for (ControlId id : {ControlId::Vst2DescriptionLabel, ControlId::Vst2InstallCheck})
    view_.SetText(id, ExpandPluginText(view_.Text(id)));
  SetCheckedAsClick(ControlId::Vst2InstallCheck, setup.InstallVstPlugin);
  view_.SetText(ControlId::Vst2FolderInput, setup.VstPluginFolder);

  for (ControlId id : {ControlId::Vst3DescriptionLabel, ControlId::Vst3InstallCheck}) {
    view_.SetText(id, ExpandPluginText(view_.Text(id)));
    view_.SetVisible(id, setup.HasVst3Components);
  }
  view_.SetChecked(ControlId::Vst3InstallCheck, setup.InstallVst3Plugin);
  const bool showList = setup.HasVst3Components && !setup.Vst3ItemList.empty();
  view_.SetVisible(ControlId::Vst3ListLabel, showList);
  view_.SetText(ControlId::Vst3ListLabel, ReplaceFirst(view_.Text(ControlId::Vst3ListLabel), "$List", setup.Vst3ItemList));
  if (!showList) MoveTop(ControlId::Vst3InstallCheck, view_.Bounds(ControlId::Vst3ListLabel).Top);

  for (ControlId id : {ControlId::PhotoshopInfoLabel, ControlId::PhotoshopInstallCheck})
    view_.SetText(id, ExpandPluginText(view_.Text(id)));
  SetCheckedAsClick(ControlId::PhotoshopInstallCheck, setup.InstallPhotoshopPlugin);
  view_.SetText(ControlId::PhotoshopFolderInput, setup.PhotoshopPluginFolder);

  ExpandCaption(ControlId::DestDescriptionLabel);
  view_.SetText(ControlId::DestFolderInput, setup.ProgramFolder);
  ExpandCaption(ControlId::NameInfoLabel);
  view_.SetText(ControlId::NameInput, setup.OwnerName);

  ExpandCaption(ControlId::IconStartMenuLabel);
  ExpandCaption(ControlId::IconDesktopLabel);
  const int secondRowTop = view_.Bounds(ControlId::IconDesktopLabel).Top;
  PlaceShortcutRows();
  PlaceInstallLabel(secondRowTop);

  view_.SetText(ControlId::ReadyDescriptionLabel, setup.CompleteMessage);
  ExpandCaption(ControlId::ReadyStartLabel);
  ExpandCaption(ControlId::ReadyStartCheck);
  const bool startable = !setup.ProductPath().empty();
  view_.SetVisible(ControlId::ReadyStartLabel, startable);
  view_.SetVisible(ControlId::ReadyStartCheck, startable);

  ShowPage(wizard_page::kWelcome);
}

std::string TMainForm::ExpandPluginText(const std::string& text) {
  const std::string description =
      Text(installer_->IsBundle ? wizard_text::kBundlePluginDescription : wizard_text::kSinglePluginDescription);
  return installer_->ExpandText(ReplaceAll(text, "$PluginDescription", description));
}

void TMainForm::CreateBundleCheckBoxes() {
  const TLayoutRect heading = view_.Bounds(ControlId::BundleHeadingLabel);
  for (int i = 0; i < installer_->BundleItemCount(); ++i) {
    const TSetupBundleItem& item = installer_->BundleItem(i);
    // The page does not scroll: a tenth item starts at the page's lower edge.
    const TLayoutRect bounds{heading.Left, display_.ScaleForDisplay(60 + 28 * i), heading.Width,
                             display_.ScaleForDisplay(24)};
    view_.AddBundleCheckBox(i, bounds, item.Caption, item.Selected);
  }
}

void TMainForm::PlaceShortcutRows() {
  const unsigned available = installer_->AvailableShortcuts;
  const bool desktop = (available & setup_shortcut::kDesktop) != 0;
  view_.SetVisible(ControlId::IconDesktopLabel, desktop);
  view_.SetVisible(ControlId::IconDesktopCheck, desktop);
  // A question about a Start menu shortcut that [Shortcuts] does not have
  // would only mislead: the desktop row takes its place.
  if ((available & setup_shortcut::kStartMenu) == 0 && desktop) {
    view_.SetVisible(ControlId::IconStartMenuLabel, false);
    view_.SetVisible(ControlId::IconStartMenuCheck, false);
    MoveTop(ControlId::IconDesktopLabel, view_.Bounds(ControlId::IconStartMenuLabel).Top);
    MoveTop(ControlId::IconDesktopCheck, view_.Bounds(ControlId::IconStartMenuCheck).Top);
  }
}

void TMainForm::PlaceInstallLabel(int secondRowTop) {
  for (int page = wizard_page::kCopy - 1; page >= 0; --page)
    if (IsPageShown(page)) {
      installPage_ = page;
      break;
    }
  if (installPage_ == wizard_page::kDest) {
    view_.SetPage(ControlId::InstallLabel, wizard_page::kDest);
    MoveTop(ControlId::InstallLabel, display_.ScaleForDisplay(220));
  } else if (installPage_ == wizard_page::kIcon &&
             (!view_.IsVisible(ControlId::IconDesktopLabel) || !view_.IsVisible(ControlId::IconStartMenuLabel))) {
    // One row only: the hint moves up into the second row's place.
    MoveTop(ControlId::InstallLabel, secondRowTop);
  }
}

void TMainForm::SetProgress(int percent) {
  view_.SetProgressPosition(percent);
  view_.RepaintNow(ControlId::CopyProgressBar);
}

void TMainForm::SetCopyProgress(double percent) {
  view_.SetProgressPosition(percent);
  view_.RepaintNow(ControlId::CopyProgressBar);
}

void TMainForm::KeepResponsive() { view_.KeepResponsive(); }

void TMainForm::SetStatusText(const std::string& text) {
  view_.SetText(ControlId::CopyStatusLabel, text);
  view_.RepaintNow(ControlId::CopyStatusLabel);
  platform_.Sys.Sleep(kStatusPauseMilliseconds);
}

void TMainForm::SetCheckedAsClick(ControlId id, bool checked) {
  if (view_.IsChecked(id) == checked) return;
  view_.SetChecked(id, checked);
  ControlClicked(id);
}

void TMainForm::SetEnabledAll(std::initializer_list<ControlId> ids, bool enabled) {
  for (ControlId id : ids) view_.SetEnabled(id, enabled);
}

void TMainForm::MoveTop(ControlId id, int top) {
  TLayoutRect bounds = view_.Bounds(id);
  bounds.Top = top;
  view_.SetBounds(id, bounds);
}

void TMainForm::ExpandCaption(ControlId id) { view_.SetText(id, installer_->ExpandText(view_.Text(id))); }

std::string TMainForm::Text(unsigned textId) { return WizardText(resources_, textId); }

void TMainForm::ShowError(const std::string& message) { platform_.Boxes.Show(MessageKind::Error, message); }

bool TMainForm::RunOrEnd(const std::function<void()>& work) {
  try {
    work();
    return true;
  } catch (const Exception& error) {
    ShowError(error.Message());
  } catch (const std::bad_alloc&) {
    ShowError("Out of memory");
  }
  view_.Terminate();
  return false;
}
