// The shell's special folders that the setup program asks for, and the CSIDL
// number that Windows knows each by.
#pragma once

#include <array>
#include <cstddef>

// The position of a member is its index in the CSIDL table below.
enum class SpecialFolderKind {
  RecycleBin,
  DesktopFolder,  // the current user's desktop: desktop shortcuts
  NetHood,
  Documents,
  Programs,  // the current user's Start-menu programs: Start-menu shortcuts
  Recent,
  SendTo,
  StartMenuFolder,
  Startup,
  Templates,
  AppData,
  ProgramFiles,
  CommonFiles,
  CommonDesktop,
};

inline constexpr std::array<int, 14> kSpecialFolderCsidl = {
    0x0A,  // CSIDL_BITBUCKET
    0x10,  // CSIDL_DESKTOPDIRECTORY
    0x13,  // CSIDL_NETHOOD
    0x05,  // CSIDL_PERSONAL
    0x02,  // CSIDL_PROGRAMS
    0x08,  // CSIDL_RECENT
    0x09,  // CSIDL_SENDTO
    0x0B,  // CSIDL_STARTMENU
    0x07,  // CSIDL_STARTUP
    0x15,  // CSIDL_TEMPLATES
    0x1A,  // CSIDL_APPDATA
    0x26,  // CSIDL_PROGRAM_FILES
    0x2B,  // CSIDL_PROGRAM_FILES_COMMON
    0x19,  // CSIDL_COMMON_DESKTOPDIRECTORY
};

static_assert(kSpecialFolderCsidl.size() == static_cast<size_t>(SpecialFolderKind::CommonDesktop) + 1,
              "one CSIDL for every folder kind");

// The CSIDL number of a folder kind.
constexpr int SpecialFolderCsidl(SpecialFolderKind kind) { return kSpecialFolderCsidl[static_cast<size_t>(kind)]; }
