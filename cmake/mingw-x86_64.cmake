# Cross-compiling the Windows programs with mingw-w64 for 64-bit x86 (the test build for machines that cannot run 32-bit code).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET} ${SETUP_DEPS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs the Windows programs under Wine.
get_filename_component(_setup_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(SETUP_WINE_ARCH win64)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_setup_root}/scripts/wine-run.sh;${SETUP_WINE_ARCH}")
