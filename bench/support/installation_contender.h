// The setup logic's installation run as the benchmarks under Wine measure
// it, and what it leaves behind: every round must install as the first one
// did, because a later round that found the product's records would be an
// upgrade (and the wizard would ask about it).
#pragma once

#include <filesystem>
#include <set>
#include <string>

#include "support/interleaved_rounds.h"
#include "support/package_contents.h"

struct Platform;

// Verifies the package file and lists the files of its components: what an
// installation extracts, without the top-level support files (Setup.ini...).
// components receives the components' names.
TPackageContents ComponentContentsOf(const std::filesystem::path& package, std::set<std::string>& components);

// Removes the folder, the product's keys in HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE and its uninstall entry, whatever of them is there.
void RemoveInstallation(Platform& platform, const std::filesystem::path& destination,
                        const std::string& fullProductName);

// Checks that destination holds every file of contents besides the
// uninstaller copy, then removes the installation.
void CheckAndRemoveInstallation(Platform& platform, const std::filesystem::path& destination,
                                const TPackageContents& contents, const std::string& fullProductName);

// TSetupInstaller::Install with a progress sink that keeps nothing, into a
// fresh destination. The setup logic is built (and the package verified)
// before the timed part, as the wizard builds it at start-up.
TContender Installation(Platform& platform, const std::filesystem::path& destination,
                        const TPackageContents& contents);
