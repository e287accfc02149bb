// Moving through the wizard: which page follows which, what the buttons say,
// what is checked and stored when a page is left, the installation from the
// Copy page, Finish, and when the window may close.
#include <new>

#include "common/errors.h"
#include "common/path.h"
#include "common/shell_services.h"
#include "common/text.h"
#include "platform/platform.h"
#include "setuplogic/messages.h"
#include "setuplogic/setup_installer.h"
#include "wizard/main_form.h"
#include "wizard/wizard_texts.h"

namespace {

namespace page = wizard_page;

// The control that takes the focus when a page is shown; None keeps it where
// it is.
ControlId FocusControlOf(int index) {
  switch (index) {
    case page::kVstPlugins:
      return ControlId::Vst2FolderInput;
    case page::kDigiPlugins:
      return ControlId::DigiFolderInput;
    case page::kPhotoshopPlugin:
      return ControlId::PhotoshopFolderInput;
    case page::kDest:
      return ControlId::DestFolderInput;
    case page::kPersonalize:
      return ControlId::NameInput;
    case page::kCopy:
      return ControlId::None;
    default:
      return ControlId::NextButton;
  }
}

}  // namespace

// -- events ----------------------------------------------------------------

void TMainForm::ControlClicked(ControlId id) {
  // Clicks queued before a page change (a double click on Next, say) reach a
  // control that is gone by now; they mean nothing any more.
  if (!installer_ || !view_.IsVisible(id) || !view_.IsEnabled(id)) return;
  try {
    if (const int item = BundleCheckIndex(id); item >= 0) return BundleItemCheckClick(item);
    switch (id) {
      case ControlId::BackButton:
        return BackButtonClick();
      case ControlId::NextButton:
        return NextButtonClick();
      case ControlId::CancelButton:
        return CancelButtonClick();
      case ControlId::Vst2InstallCheck:
        return Vst2InstallCheckClick();
      case ControlId::DigiInstallCheck:
        return DigiInstallCheckClick();
      case ControlId::PhotoshopInstallCheck:
        return PhotoshopInstallCheckClick();
      case ControlId::DestBrowseButton:
        return DestBrowseButtonClick();
      case ControlId::Vst2BrowseButton:
        return Vst2BrowseButtonClick();
      case ControlId::DigiBrowseButton:
        return DigiBrowseButtonClick();
      case ControlId::PhotoshopBrowseButton:
        return PhotoshopBrowseButtonClick();
      default:
        return;
    }
  } catch (const Exception& error) {
    // What a handler did not foresee is shown, and the wizard goes on.
    ShowError(error.Message());
  } catch (const std::bad_alloc&) {
    ShowError("Out of memory");
  }
}

void TMainForm::CloseRequested() { Close(); }

void TMainForm::Close() {
  if (FormCloseQuery()) view_.CloseWindow();
}

bool TMainForm::FormCloseQuery() {
  const int current = view_.SelectedPage();
  if (current == page::kCopy) return false;
  if (current == page::kReady || !installer_) return true;
  return ShowMessage(MessageKind::Confirmation, wizard_text::kConfirmCancelText) == DialogAnswer::Yes;
}

// -- moving between pages --------------------------------------------------

bool TMainForm::IsPageShown(int index) const {
  const TSetupInstaller& setup = *installer_;
  switch (index) {
    case page::kBundleItems:
      return setup.IsBundle;
    case page::kVstPlugins:
      return (setup.Pages & setup_page::kVstPluginFolder) != 0;
    case page::kDigiPlugins:
      return (setup.Pages & setup_page::kDigiPluginFolder) != 0;
    case page::kPhotoshopPlugin:
      return (setup.Pages & setup_page::kPhotoshopPluginFolder) != 0;
    case page::kPersonalize:
      return (setup.Pages & setup_page::kPersonalization) != 0;
    case page::kIcon:
      return setup.AvailableShortcuts != 0;
    default:
      return true;
  }
}

int TMainForm::NextVisiblePage(int from, int direction) const {
  int index = from;
  do index += direction;
  while (!IsPageShown(index));
  return index;
}

void TMainForm::MoveToPage(int direction) { ShowPage(NextVisiblePage(view_.SelectedPage(), direction)); }

void TMainForm::BackButtonClick() { MoveToPage(-1); }

void TMainForm::NextButtonClick() {
  if (LeavePage(view_.SelectedPage())) MoveToPage(+1);
}

void TMainForm::CancelButtonClick() { Close(); }

void TMainForm::ShowPage(int index) {
  if (index < 0 || index >= page::kCount) return;
  if (index == page::kReady) PrepareReadyPage();
  view_.SelectPage(index);

  view_.SetEnabled(ControlId::BackButton, index > 0);
  view_.SetEnabled(ControlId::CancelButton, index != page::kCopy);
  view_.SetVisible(ControlId::BackButton, index < page::kCopy);
  view_.SetVisible(ControlId::NextButton, index != page::kCopy);
  view_.SetVisible(ControlId::CancelButton, index < page::kReady);
  if (index == page::kLicense) {
    view_.SetText(ControlId::NextButton, "&Yes");
    view_.SetText(ControlId::CancelButton, "&No");
  } else if (index == page::kReady) {
    view_.SetText(ControlId::NextButton, "&Finish");
  } else {
    view_.SetText(ControlId::NextButton, "&Next >");
    view_.SetText(ControlId::CancelButton, "Cancel");
  }
  if (index == installPage_) view_.SetText(ControlId::NextButton, "&Install");

  if (index == page::kCopy) {
    // The Copy page and its buttons are drawn before the run blocks the
    // event loop; a close request now finds the Copy page and is refused.
    platform_.Sys.ProcessMessages();
    // A failed run ends the program on this page; nothing is undone, the
    // partial installation stays as it is.
    if (RunOrEnd([this] { installer_->Install(*this); })) ShowPage(page::kReady);
    return;
  }

  const ControlId focus = FocusControlOf(index);
  if (focus != ControlId::None && view_.IsVisible(focus) && view_.IsEnabled(focus)) view_.SetFocus(focus);
}

void TMainForm::PrepareReadyPage() {
  // Decided now, once the folders its path may name are final: without a
  // read-me there is nothing to ask, and the start question moves up.
  if (!installer_->ReadmePath().empty()) return;
  for (ControlId id : {ControlId::ReadyReadmeLabel, ControlId::ReadyReadmeCheck}) view_.SetVisible(id, false);
  MoveTop(ControlId::ReadyStartLabel, view_.Bounds(ControlId::ReadyReadmeLabel).Top);
  MoveTop(ControlId::ReadyStartCheck, view_.Bounds(ControlId::ReadyReadmeCheck).Top);
}

// -- leaving a page ----------------------------------------------------------

bool TMainForm::LeavePage(int index) {
  TSetupInstaller& setup = *installer_;
  switch (index) {
    case page::kWelcome:
      if (!setup.HasInstallRights()) {
        ShowMessage(MessageKind::Information, wizard_text::kNoInstallRightsText);
        view_.Terminate();
      }
      return true;
    case page::kBundleItems:
      for (int i = 0; i < setup.BundleItemCount(); ++i)
        if (setup.BundleItem(i).Selected) return true;
      ShowMessage(MessageKind::Warning, wizard_text::kNoBundleItemText);
      return false;
    case page::kVstPlugins:
      if (!LeavePluginPage(ControlId::Vst2FolderInput, setup.InstallVstPlugin, setup.VstPluginFolder)) return false;
      // Also when the VST 3 box is hidden: it holds the flag's first value.
      setup.InstallVst3Plugin = view_.IsChecked(ControlId::Vst3InstallCheck);
      return true;
    case page::kDigiPlugins:
      return LeavePluginPage(ControlId::DigiFolderInput, setup.InstallDigiPlugin, setup.DigiPluginFolder);
    case page::kPhotoshopPlugin:
      return LeavePluginPage(ControlId::PhotoshopFolderInput, setup.InstallPhotoshopPlugin,
                             setup.PhotoshopPluginFolder);
    case page::kDest: {
      const std::string text = view_.Text(ControlId::DestFolderInput);
      const std::string folder = EndsWith(text, "\\") ? text : text + "\\";
      if (CheckDestinationFolder(folder)) {
        setup.SetProgramFolder(folder);
        return true;
      }
      view_.SetFocus(ControlId::DestFolderInput);
      return false;
    }
    case page::kPersonalize: {
      const std::string name = view_.Text(ControlId::NameInput);
      if (!name.empty()) {
        setup.OwnerName = name;
        return true;
      }
      ShowMessage(MessageKind::Warning, wizard_text::kEnterNameText);
      view_.SetFocus(ControlId::NameInput);
      return false;
    }
    case page::kIcon:
      // The desktop box counts with its state also when its row is hidden;
      // the run makes only the shortcuts that [Shortcuts] lists.
      setup.SelectedShortcuts = (view_.IsChecked(ControlId::IconStartMenuCheck) ? setup_shortcut::kStartMenu : 0u) |
                                (view_.IsChecked(ControlId::IconDesktopCheck) ? setup_shortcut::kDesktop : 0u);
      return true;
    case page::kReady:
      Finish();
      return false;
    default:
      return true;
  }
}

bool TMainForm::LeavePluginPage(ControlId input, bool& installFlag, std::string& folder) {
  const std::string text = view_.Text(input);
  // An empty folder declines the plug-in; the box stays as the user left it.
  if (text.empty()) installFlag = false;
  if (!installFlag) return true;
  // A relative name would be resolved against whatever folder the setup was
  // started in, so it names no folder the user could mean.
  if (!(IsDriveRootedPath(text) || IsNetworkPath(text)) || !platform_.Files.FolderExists(text)) {
    ShowMessage(MessageKind::Warning, wizard_text::kFolderMissingText, text);
    view_.SetFocus(input);
    return false;
  }
  folder = text;
  return true;
}

bool TMainForm::CheckDestinationFolder(const std::string& folder) {
  TSetupInstaller& setup = *installer_;
  if (!setup.CanCreateFolder(folder)) {
    ShowMessage(MessageKind::Warning, wizard_text::kCannotCreateFolderText, folder);
    return false;
  }
  if (!setup.UpgradeFound) return true;
  const bool sameFolder = SameText(folder, setup.InstalledLocation);
  if (setup.ProductVersion().Major == setup.InstalledVersion.Major) {
    if (sameFolder) return true;
    return ShowMessage(MessageKind::Confirmation, wizard_text::kDifferentFolderText) == DialogAnswer::Yes;
  }
  if (!sameFolder) return true;
  return ShowMessage(MessageKind::Confirmation, wizard_text::kOverwriteOtherMajorText) == DialogAnswer::Yes;
}

void TMainForm::Finish() {
  TSetupInstaller& setup = *installer_;
  Shell& shell = platform_.ShellServices;
  // Errors of the shell are not reported: the window closes all the same.
  if (view_.IsVisible(ControlId::ReadyReadmeCheck) && view_.IsChecked(ControlId::ReadyReadmeCheck)) {
    const std::string readme = setup.ReadmePath();
    if (!readme.empty()) shell.Open(readme, false, nullptr, std::string());
  }
  if (view_.IsVisible(ControlId::ReadyStartCheck) && view_.IsChecked(ControlId::ReadyStartCheck)) {
    const std::string product = setup.ProductPath();
    if (!product.empty()) shell.Open(product, false, nullptr, setup.ProgramFolder);
  }
  Close();
}

// -- check boxes and Browse buttons --------------------------------------------

void TMainForm::Vst2InstallCheckClick() {
  const bool checked = view_.IsChecked(ControlId::Vst2InstallCheck);
  SetEnabledAll({ControlId::Vst2FolderLabel, ControlId::Vst2FolderInput, ControlId::Vst2BrowseButton}, checked);
  installer_->InstallVstPlugin = checked;
}

void TMainForm::DigiInstallCheckClick() {
  const bool checked = view_.IsChecked(ControlId::DigiInstallCheck);
  SetEnabledAll({ControlId::DigiFolderLabel, ControlId::DigiFolderInput, ControlId::DigiBrowseButton}, checked);
  installer_->InstallDigiPlugin = checked;
}

void TMainForm::PhotoshopInstallCheckClick() {
  const bool checked = view_.IsChecked(ControlId::PhotoshopInstallCheck);
  SetEnabledAll({ControlId::PhotoshopFolderLabel, ControlId::PhotoshopFolderInput, ControlId::PhotoshopBrowseButton},
                checked);
  installer_->InstallPhotoshopPlugin = checked;
}

void TMainForm::BundleItemCheckClick(int index) {
  // At least one item must stay selected; that is checked on Next.
  installer_->BundleItem(index).Selected = view_.IsChecked(BundleCheckId(index));
}

void TMainForm::DestBrowseButtonClick() {
  BrowseInto(ControlId::DestFolderInput, installer_->ExpandText(Text(wizard_text::kBrowseDestTitle)));
}

void TMainForm::Vst2BrowseButtonClick() { BrowseInto(ControlId::Vst2FolderInput, Text(wizard_text::kBrowseVstTitle)); }

void TMainForm::DigiBrowseButtonClick() {
  BrowseInto(ControlId::DigiFolderInput, Text(wizard_text::kBrowseDigiTitle));
}

void TMainForm::PhotoshopBrowseButtonClick() {
  BrowseInto(ControlId::PhotoshopFolderInput, Text(wizard_text::kBrowsePhotoshopTitle));
}

void TMainForm::BrowseInto(ControlId input, const std::string& title) {
  // Nothing is checked or stored here; that happens when the page is left.
  TShellServices shell(platform_);
  view_.SetText(input, shell.BrowseForFolder(view_.Handle(), title, view_.Text(input)));
}

// -- messages ------------------------------------------------------------------

DialogAnswer TMainForm::ShowMessage(MessageKind kind, unsigned textId, const std::string& folder) {
  std::string text = Text(textId);
  switch (textId) {
    case wizard_text::kNoInstallRightsText:
    case wizard_text::kDifferentFolderText:
    case wizard_text::kOverwriteOtherMajorText:
    case wizard_text::kConfirmCancelText:
      if (installer_) text = installer_->ExpandText(text);
      break;
    case wizard_text::kFolderMissingText:
    case wizard_text::kCannotCreateFolderText:
      text = FormatMessageText(text.c_str(), folder);
      break;
    default:
      break;
  }
  return platform_.Boxes.Show(kind, text);
}
