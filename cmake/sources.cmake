# The libraries of the system. Each subsystem is one static library; the
# Windows implementations of the platform seam only exist in Windows builds.

add_library(setup_common STATIC
  src/common/apply_display_font.cpp
  src/common/date_time.cpp
  src/common/display.cpp
  src/common/errors.cpp
  src/common/file_enumerator.cpp
  src/common/integer_text.cpp
  src/common/path.cpp
  src/common/program_version.cpp
  src/common/shell_services.cpp
  src/common/stream.cpp
  src/common/text.cpp
)
target_include_directories(setup_common PUBLIC ${PROJECT_SOURCE_DIR}/src)

add_library(setup_package STATIC
  src/package/adler32.cpp
  src/package/installer.cpp
  src/package/package_locator.cpp
  src/package/package_reader.cpp
  src/package/pe_image.cpp
  src/package/uninstall_record.cpp
  src/package/uninstaller.cpp
)
# The fuzz build accepts any checksum; see package_checksum.h.
if(SETUP_FUZZ)
  target_sources(setup_package PRIVATE tests/fuzz/any_package_checksum.cpp)
else()
  target_sources(setup_package PRIVATE src/package/package_checksum.cpp)
endif()
target_link_libraries(setup_package PUBLIC setup_common ZLIB::ZLIB)

# Writing packages: for setuppack and for the tests that build fixtures.
add_library(setup_package_writer STATIC
  src/package/package_writer.cpp
  src/package/zlib_compressor.cpp
)
target_link_libraries(setup_package_writer PUBLIC setup_package)

add_library(setup_logic STATIC
  src/setuplogic/bundle_info.cpp
  src/setuplogic/destination_folder.cpp
  src/setuplogic/folder_template.cpp
  src/setuplogic/free_space.cpp
  src/setuplogic/ini_file.cpp
  src/setuplogic/install_rights.cpp
  src/setuplogic/installation_run.cpp
  src/setuplogic/installed_version.cpp
  src/setuplogic/plugin_folders.cpp
  src/setuplogic/registry_settings.cpp
  src/setuplogic/setup_bundle_item.cpp
  src/setuplogic/setup_configuration.cpp
  src/setuplogic/setup_shortcuts.cpp
  src/setuplogic/setup_uninstaller.cpp
  src/setuplogic/side_image.cpp
  src/setuplogic/symbol_expansion.cpp
  src/setuplogic/version_records.cpp
)
target_link_libraries(setup_logic PUBLIC setup_package PRIVATE JPEG::JPEG)

# The wizard's layout, texts and page flow, over a view of its window:
# portable, so that the whole flow is tested natively.
add_library(setup_wizard STATIC
  src/wizard/main_form.cpp
  src/wizard/page_flow.cpp
  src/wizard/wizard_layout.cpp
  src/wizard/wizard_texts.cpp
)
target_link_libraries(setup_wizard PUBLIC setup_logic)

# The program's start-up: run mode and hand-over to the setup or the
# uninstaller. Portable, so that its error handling is tested natively; the
# Windows entry point is in src/setup.
add_library(setup_startup STATIC
  src/setup/run_mode.cpp
  src/setup/startup.cpp
)
target_link_libraries(setup_startup PUBLIC setup_logic setup_wizard)

# Host (POSIX or Windows C runtime) file streams for the tools and tests.
add_library(setup_host STATIC
  src/platform/host/host_file_stream.cpp
)
target_link_libraries(setup_host PUBLIC setup_common)

if(WIN32)
  add_library(setup_win32 STATIC
    src/platform/win32/win32_dialogs.cpp
    src/platform/win32/win32_errors.cpp
    src/platform/win32/win32_file_system.cpp
    src/platform/win32/win32_libraries.cpp
    src/platform/win32/win32_registry.cpp
    src/platform/win32/win32_resources.cpp
    src/platform/win32/win32_shell.cpp
    src/platform/win32/win32_system.cpp
    src/platform/win32/win32_text.cpp
  )
  target_link_libraries(setup_win32 PUBLIC setup_common advapi32 shell32 ole32 uuid gdi32 user32)

  # The wizard's window on Windows.
  add_library(setup_wizard_win32 STATIC
    src/wizard/win32/win32_side_image.cpp
    src/wizard/win32/win32_wizard_fonts.cpp
    src/wizard/win32/win32_wizard_window.cpp
  )
  target_link_libraries(setup_wizard_win32 PUBLIC setup_wizard setup_win32 comctl32 uxtheme gdi32 user32)
endif()
