// A setup executable whose package holds the support files and components a
// test asks for, placed in the fake file system as C:\Setup\Setup.exe, and
// the setup logic object built from it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "package_fixture.h"
#include "setuplogic/setup_installer.h"
#include "test_platform.h"

// 2024-05-01 12:00, the package stamp of the fixture.
inline constexpr double kSetupStamp = 45413.5;

// The smallest valid configuration: a product key and a folder template.
inline constexpr const char* kMinimalIni = "[Setup]\r\nRegistryRoot=Software\\Maker\\Tool\r\nDefaultFolder=Tool %d\r\n";

class SetupFixture : public testing::Test {
 protected:
  // Special folders as on a usual machine: Program Files and Common Files in
  // C:\Program Files, the user's application data and documents.
  SetupFixture();

  // What goes into the package. A support file that is nullopt is left out.
  std::optional<std::string> SetupIni = kMinimalIni;
  std::optional<std::string> SetupLic = "Licence line 1\r\nLicence line 2";
  std::optional<std::string> BundleInfo;
  std::optional<std::vector<uint8_t>> SetupJpg;
  std::vector<TPackageItem> Components;
  std::string Version = "2.5";
  double Stamp = kSetupStamp;

  // Writes the setup executable and builds the object from it.
  TSetupInstaller& Build();
  // The package as Build writes it, for tests that place it themselves.
  std::vector<uint8_t> Package() const;
  // A file beside the executable.
  void AddBesideExecutable(const std::string& name, const std::string& content);

  TTestPlatform platform;
  Platform bundle = platform.Bundle();
  std::unique_ptr<TSetupInstaller> setup;
};

// A component folder with one file of some bytes, or an empty one.
TPackageItem Component(const std::string& name, const std::string& content = "bytes");
