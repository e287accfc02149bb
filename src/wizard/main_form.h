// The setup wizard: fills the window's pages from the setup logic, moves
// between them, checks and stores what the user chose, runs the installation
// from the Copy page and finishes. It works on a WizardView, so the whole
// flow runs without a window system.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/dialogs.h"
#include "setuplogic/install_progress.h"
#include "wizard/wizard_view.h"

// How long every status text of the installation run stays on the screen at
// least, so that the user can read it.
inline constexpr uint32_t kStatusPauseMilliseconds = 500;

class Resources;
class TDisplay;
class TSetupInstaller;
struct Platform;

class TMainForm : public IInstallProgress, public WizardEvents {
 public:
  TMainForm(Platform& platform, TDisplay& display, Resources& resources, WizardView& view);
  ~TMainForm() override;
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // -- creation (main_form.cpp) -------------------------------------------
  // Builds the setup logic, fills every page and shows the Welcome page. When
  // the setup logic cannot be built, shows its error and ends the program.
  void FormCreate();
  // "$PluginDescription" replaced by the bundle's or the single product's
  // plug-in description, then the text symbols expanded.
  std::string ExpandPluginText(const std::string& text);
  // Null until FormCreate has built it, and when building it failed.
  TSetupInstaller* Installer() { return installer_.get(); }
  int InstallPage() const { return installPage_; }

  // -- the progress sink of the installation run (main_form.cpp) ---------
  void SetProgress(int percent) override;
  void SetCopyProgress(double percent) override;
  void KeepResponsive() override;
  // Shows the text at once and keeps it there for half a second.
  void SetStatusText(const std::string& text) override;

  // -- events of the window (page_flow.cpp) ---------------------------------
  void ControlClicked(ControlId id) override;
  void CloseRequested() override;

  // -- page flow (page_flow.cpp) --------------------------------------------
  bool IsPageShown(int page) const;
  void ShowPage(int index);
  int NextVisiblePage(int from, int direction) const;
  void MoveToPage(int direction);
  bool LeavePage(int index);
  // folder ends with a backslash; true when it may be used.
  bool CheckDestinationFolder(const std::string& folder);
  // Whether the window may close now.
  bool FormCloseQuery();

  void NextButtonClick();
  void BackButtonClick();
  void CancelButtonClick();
  void Vst2InstallCheckClick();
  void DigiInstallCheckClick();
  void PhotoshopInstallCheckClick();
  void BundleItemCheckClick(int index);
  void DestBrowseButtonClick();
  void Vst2BrowseButtonClick();
  void DigiBrowseButtonClick();
  void PhotoshopBrowseButtonClick();

 private:
  void CreateBundleCheckBoxes();
  void PlaceShortcutRows();
  void PlaceInstallLabel(int secondRowTop);
  void PrepareReadyPage();
  // Sets a check box the way a click would, running its handler when the
  // state changes.
  void SetCheckedAsClick(ControlId id, bool checked);
  void SetEnabledAll(std::initializer_list<ControlId> ids, bool enabled);
  void MoveTop(ControlId id, int top);
  void ExpandCaption(ControlId id);
  // A plug-in page's check when it is left: clears the install flag for an
  // empty folder text, refuses a folder that does not exist.
  bool LeavePluginPage(ControlId input, bool& installFlag, std::string& folder);
  void BrowseInto(ControlId input, const std::string& title);
  void Finish();
  void Close();
  DialogAnswer ShowMessage(MessageKind kind, unsigned textId, const std::string& folder = std::string());
  std::string Text(unsigned textId);
  void ShowError(const std::string& message);
  // Runs work; an error it raises is shown in the error box and ends the
  // program, and the answer is false.
  bool RunOrEnd(const std::function<void()>& work);

  Platform& platform_;
  TDisplay& display_;
  Resources& resources_;
  WizardView& view_;
  std::unique_ptr<TSetupInstaller> installer_;
  int installPage_ = -1;
};
