# Optional libdeflate for the package writer's compressor.
#
# libdeflate at level 12 packs a few per cent smaller than zlib at level 9
# (still the 78 DA header, read by any inflater), but its bytes differ from
# zlib's: a setuppack built with it and one built without give different
# packages for the same input, so it stays off unless asked for. Debian has it
# natively only (libdeflate-dev), not for mingw.
if(SETUP_USE_LIBDEFLATE)
  find_path(LIBDEFLATE_INCLUDE_DIR libdeflate.h)
  find_library(LIBDEFLATE_LIBRARY NAMES deflate libdeflate)
  if(LIBDEFLATE_INCLUDE_DIR AND LIBDEFLATE_LIBRARY)
    message(STATUS "Package writer compresses with libdeflate: ${LIBDEFLATE_LIBRARY}")
    target_include_directories(setup_package_writer PRIVATE ${LIBDEFLATE_INCLUDE_DIR})
    target_link_libraries(setup_package_writer PRIVATE ${LIBDEFLATE_LIBRARY})
    target_compile_definitions(setup_package_writer PRIVATE SETUP_HAVE_LIBDEFLATE)
  else()
    message(STATUS "libdeflate not found: the package writer compresses with zlib")
  endif()
endif()
