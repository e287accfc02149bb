// The wizard on the fake window: a setup executable for product "Foo" 2.10
// placed in the memory file system, a machine with plug-in hosts and the
// shell folders for shortcuts, and the form built on top, as start-up builds
// it. The walks of the page-flow tests drive it with the user's actions.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/display.h"
#include "fake_resources.h"
#include "fake_wizard_window.h"
#include "setup_fixture.h"
#include "wizard/main_form.h"

// A single product with one program component.
inline constexpr const char* kFooIni =
    "[Setup]\r\nProductName=Foo\r\nRegistryRoot=Software\\Maker\\Foo\r\nDefaultFolder=Maker\\Foo %d\r\n"
    "[Components]\r\nMain=$ProgramFolder\r\n";
// A bundle; its items come from BundleInfo.ini.
inline constexpr const char* kSuiteIni =
    "[Setup]\r\nIsBundle=1\r\nProductName=Suite\r\nRegistryRoot=Software\\Maker\\Suite\r\n"
    "BundleRegistryRoot=Software\\Maker\r\nDefaultFolder=Maker\\Suite\r\nBundleItemName=$BundleItem\r\n"
    "BundleSelectHeading=Choose the products\r\nBundleSelectDescription=Each one is installed separately.\r\n"
    "[Components]\r\nMain=$ProgramFolder\r\n";

// Where the machine's hosts keep their plug-ins; every folder exists.
inline constexpr const char* kVstHostFolder = "C:\\Hosts\\Vst";
inline constexpr const char* kDigiHostFolder = "C:\\Program Files\\Common Files\\Digidesign\\DAE\\Plug-Ins";
inline constexpr const char* kPhotoshopHostFolder = "C:\\Adobe\\Plug-ins";
inline constexpr const char* kDefaultProgramFolder = "C:\\Program Files\\Maker\\Foo 2";
inline constexpr const char* kProgramsFolder = "C:\\Users\\Tester\\Start Menu\\Programs";
inline constexpr const char* kDesktopFolder = "C:\\Users\\Tester\\Desktop";

// One thing the user does.
struct TUserAction {
  enum Kind { Click, Type, CloseBox } What;
  ControlId Id = ControlId::None;
  std::string Text;
};

inline TUserAction Click(ControlId id) { return {TUserAction::Click, id, {}}; }
inline TUserAction Type(ControlId id, std::string text) { return {TUserAction::Type, id, std::move(text)}; }
inline TUserAction Next() { return Click(ControlId::NextButton); }
inline TUserAction Back() { return Click(ControlId::BackButton); }
inline TUserAction CloseBox() { return {TUserAction::CloseBox, ControlId::None, {}}; }

class WizardFixture : public SetupFixture {
 protected:
  WizardFixture();

  // Places the setup executable, builds the form on window and creates it,
  // with the application title "Setup" that start-up has set by then.
  TMainForm& Create();
  // The same from an executable the test made (a damaged one, say).
  TMainForm& CreateFrom(const std::vector<uint8_t>& executable);

  // A mouse click focuses the clicked control before it acts, as the window
  // system does; typing changes only the text.
  void Do(const TUserAction& action);

  // "Dest: [< &Back] [&Install] [Cancel] ^DestFolderInput": the page, the
  // three buttons ("[..]" enabled, "(..)" disabled, left out when hidden),
  // the focused control, and "closed" or "terminated" when the program ends.
  std::string State();
  // "[x]" or "[ ]" for a check box, the quoted text for any other control;
  // " disabled" and " hidden" follow.
  std::string ControlState(ControlId id);
  // The control's name in the layout, "BundleCheck<i>" for an item's box.
  static std::string NameOf(ControlId id);
  // A setting of the setup logic as text: flags as 0/1, SelectedShortcuts as
  // a number, "BundleSelection" as one digit per item.
  std::string Setting(const std::string& name);
  // The boxes shown, without their titles, and their titles.
  std::vector<std::pair<MessageKind, std::string>> Messages();
  std::vector<std::string> MessageTitles();
  // What the shell was asked to open: "file | working folder".
  std::vector<std::string> Opened();
  // The control's place as {left, top, width, height}.
  std::vector<int> Place(ControlId id);
  // Each repaint as "CopyStatusLabel 'text' 25".
  std::vector<std::string> Repaints();

  // A window at 96 pixels per inch; MakeWindow gives others.
  static std::unique_ptr<WizardWindow> MakeWindow(int pixelsPerInch = 96);

  TDisplay display{platform.Libs, platform.Sys};
  TFakeResources resources;
  // Held by its interface: the fake's destructor lives with its font nodes
  // in fake_wizard_window.cpp, and a test file cannot destroy it directly.
  std::unique_ptr<WizardWindow> ownWindow = MakeWindow();
  TFakeWizardWindow& window = static_cast<TFakeWizardWindow&>(*ownWindow);
  std::unique_ptr<TMainForm> form;
};

// A box as the tests write them.
using TMessage = std::pair<MessageKind, std::string>;
inline TMessage Warning(std::string text) { return {MessageKind::Warning, std::move(text)}; }
inline TMessage Confirm(std::string text) { return {MessageKind::Confirmation, std::move(text)}; }
inline TMessage Information(std::string text) { return {MessageKind::Information, std::move(text)}; }
inline TMessage ErrorBox(std::string text) { return {MessageKind::Error, std::move(text)}; }
