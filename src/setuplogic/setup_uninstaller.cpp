#include "setuplogic/setup_uninstaller.h"

#include "setuplogic/install_rights.h"
#include "setuplogic/messages.h"

TSetupUninstaller::TSetupUninstaller(Platform& platform)
    : Uninstaller(std::make_unique<TUninstaller>(platform)), platform_(platform) {
  ProductName.assign(Uninstaller->Data.begin(), Uninstaller->Data.end());
}

void TSetupUninstaller::RunUninstall() {
  Dialogs& boxes = platform_.Boxes;
  if (!HasInstallRights(platform_)) {
    boxes.Show(MessageKind::Warning, FormatMessageText(message::kUninstallRights, ProductName));
    return;
  }

  // A record of major version 0 carries no version worth showing (a package
  // made without one).
  std::string displayName = ProductName;
  if (Uninstaller->Version.Major > 0) displayName += " " + Uninstaller->Version.VersionText();
  if (boxes.Show(MessageKind::Confirmation, FormatMessageText(message::kConfirmUninstall, displayName)) !=
      DialogAnswer::Yes)
    return;

  const bool removedAll = Uninstaller->RemoveAll();
  boxes.Show(MessageKind::Information, removedAll
                                           ? std::string(message::kUninstallCompleted)
                                           : FormatMessageText(message::kUninstallItemsRemain, ProductName));
  // Only after the message: the batch file waits for this executable to end,
  // and the user is still reading while it runs.
  Uninstaller->StartSelfDelete();
}

int RunUninstallerMode(Platform& platform) {
  TSetupUninstaller uninstaller(platform);
  platform.Boxes.SetTitle(uninstaller.ProductName + message::kUninstallerTitleSuffix);
  uninstaller.RunUninstall();
  return 0;
}
