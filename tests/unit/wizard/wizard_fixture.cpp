#include "wizard_fixture.h"

#include "common/shell_folder_kinds.h"
#include "setuplogic/setup_installer.h"

WizardFixture::WizardFixture() {
  Version = "2.10";
  SetupIni = kFooIni;
  // The VST 3 folder counts only for a setup whose [Components] names it.
  Components = {TPackageItem::Folder(
                    "Main", {TPackageItem::File("Foo.exe", "program"), TPackageItem::File("Readme.txt", "read me")}),
                TPackageItem::Folder("Vst3", {TPackageItem::File("Foo.dll", "vst 3 plug-in")})};

  platform.Reg.SetString(RegistryRoot::LocalMachine, "Software\\Vst", "VstPluginsPath", kVstHostFolder);
  platform.Files.AddFolder(kVstHostFolder);
  platform.Files.AddFolder(kDigiHostFolder);
  platform.Reg.SetString(RegistryRoot::LocalMachine, "SOFTWARE\\Adobe\\Photoshop\\13.0\\PluginPath", "",
                         kPhotoshopHostFolder);
  platform.Files.AddFolder(kPhotoshopHostFolder);

  platform.ShellServices.SetSpecialFolder(SpecialFolderCsidl(SpecialFolderKind::Programs), kProgramsFolder);
  platform.ShellServices.SetSpecialFolder(SpecialFolderCsidl(SpecialFolderKind::DesktopFolder), kDesktopFolder);
  platform.Files.AddFolder(kProgramsFolder);
  platform.Files.AddFolder(kDesktopFolder);
}

std::unique_ptr<WizardWindow> WizardFixture::MakeWindow(int pixelsPerInch) {
  return std::unique_ptr<WizardWindow>(new TFakeWizardWindow(pixelsPerInch));
}

TMainForm& WizardFixture::Create() { return CreateFrom(SetupExecutable(Package())); }

TMainForm& WizardFixture::CreateFrom(const std::vector<uint8_t>& executable) {
  platform.Files.AddFile("C:\\Setup\\Setup.exe", executable);
  platform.Boxes.SetTitle("Setup");
  form = std::make_unique<TMainForm>(bundle, display, resources, window);
  window.Connect(*form);
  form->FormCreate();
  return *form;
}

void WizardFixture::Do(const TUserAction& action) {
  switch (action.What) {
    case TUserAction::Click:
      if (!window.OnScreen(action.Id) || !window.Get(action.Id).Enabled) {
        ADD_FAILURE() << NameOf(action.Id) << " cannot be clicked on page " << PageName(window.SelectedPage());
        return;
      }
      window.SetFocus(action.Id);
      window.Click(action.Id);
      break;
    case TUserAction::Type:
      window.Type(action.Id, action.Text);
      break;
    case TUserAction::CloseBox:
      window.CloseBox();
      break;
  }
}

std::string WizardFixture::State() {
  std::string state = PageName(window.SelectedPage()) + ":";
  for (ControlId button : {ControlId::BackButton, ControlId::NextButton, ControlId::CancelButton}) {
    const TFakeControl& control = window.Get(button);
    if (!control.Visible) continue;
    state += control.Enabled ? " [" + control.Text + "]" : " (" + control.Text + ")";
  }
  const ControlId focus = window.Focus();
  state += " ^" + (focus == ControlId::None ? std::string("none") : NameOf(focus));
  if (window.Closed()) state += " closed";
  if (window.Terminated()) state += " terminated";
  return state;
}

std::string WizardFixture::ControlState(ControlId id) {
  const TFakeControl& control = window.Get(id);
  const bool checkBox = BundleCheckIndex(id) >= 0 || LayoutOf(id).Kind == ControlKind::CheckBox;
  std::string state = checkBox ? (control.Checked ? "[x]" : "[ ]") : "'" + control.Text + "'";
  if (!control.Enabled) state += " disabled";
  if (!control.Visible) state += " hidden";
  return state;
}

std::string WizardFixture::NameOf(ControlId id) {
  const int item = BundleCheckIndex(id);
  return item >= 0 ? "BundleCheck" + std::to_string(item) : std::string(LayoutOf(id).Name);
}

std::string WizardFixture::Setting(const std::string& name) {
  TSetupInstaller& s = *form->Installer();
  auto flag = [](bool value) { return std::string(value ? "1" : "0"); };
  if (name == "ProgramFolder") return s.ProgramFolder;
  if (name == "OwnerName") return s.OwnerName;
  if (name == "InstallVstPlugin") return flag(s.InstallVstPlugin);
  if (name == "VstPluginFolder") return s.VstPluginFolder;
  if (name == "InstallVst3Plugin") return flag(s.InstallVst3Plugin);
  if (name == "InstallDigiPlugin") return flag(s.InstallDigiPlugin);
  if (name == "DigiPluginFolder") return s.DigiPluginFolder;
  if (name == "InstallPhotoshopPlugin") return flag(s.InstallPhotoshopPlugin);
  if (name == "PhotoshopPluginFolder") return s.PhotoshopPluginFolder;
  if (name == "SelectedShortcuts") return std::to_string(s.SelectedShortcuts);
  if (name == "BundleSelection") {
    std::string digits;
    for (int i = 0; i < s.BundleItemCount(); ++i) digits += flag(s.BundleItem(i).Selected);
    return digits;
  }
  ADD_FAILURE() << "no setting " << name;
  return std::string();
}

std::vector<std::pair<MessageKind, std::string>> WizardFixture::Messages() {
  std::vector<std::pair<MessageKind, std::string>> messages;
  for (const TShownBox& box : platform.Boxes.Boxes()) messages.emplace_back(box.Kind, box.Text);
  return messages;
}

std::vector<std::string> WizardFixture::MessageTitles() {
  std::vector<std::string> titles;
  for (const TShownBox& box : platform.Boxes.Boxes()) titles.push_back(box.Title);
  return titles;
}

std::vector<std::string> WizardFixture::Opened() {
  std::vector<std::string> opened;
  for (const TOpenRequest& request : platform.ShellServices.Opened()) {
    // The read-me and the program open on their own, without an owner.
    EXPECT_FALSE(request.Hidden) << request.File;
    EXPECT_EQ(request.Owner, nullptr) << request.File;
    opened.push_back(request.File + " | " + request.WorkingFolder);
  }
  return opened;
}

std::vector<int> WizardFixture::Place(ControlId id) {
  const TLayoutRect bounds = window.Bounds(id);
  return {bounds.Left, bounds.Top, bounds.Width, bounds.Height};
}

std::vector<std::string> WizardFixture::Repaints() {
  std::vector<std::string> repaints;
  for (const TRepaint& repaint : window.Repaints())
    repaints.push_back(NameOf(repaint.Id) + " '" + repaint.Text + "' " + std::to_string(repaint.Progress));
  return repaints;
}
