# libdeflate for the package writer's compressor.
#
# At level 9 libdeflate packs about 1.5 % smaller than zlib at level 9 and
# about three times faster, with the same 78 DA header that any inflater reads.
# Its bytes differ from zlib's, so every build of setuppack must use the same
# libdeflate to pack identical bytes: the native build uses Debian's package,
# the Windows builds the static library that scripts/bootstrap.sh cross-builds
# from Debian's source of the same version.
option(SETUP_USE_LIBDEFLATE "Compress packages with libdeflate instead of zlib" ON)
if(SETUP_USE_LIBDEFLATE)
  find_path(LIBDEFLATE_INCLUDE_DIR libdeflate.h)
  find_library(LIBDEFLATE_LIBRARY NAMES libdeflate.a deflate libdeflate)
  if(NOT LIBDEFLATE_INCLUDE_DIR OR NOT LIBDEFLATE_LIBRARY)
    message(FATAL_ERROR "libdeflate not found: run scripts/bootstrap.sh, or configure with -DSETUP_USE_LIBDEFLATE=OFF")
  endif()
  target_include_directories(setup_package_writer PRIVATE ${LIBDEFLATE_INCLUDE_DIR})
  target_link_libraries(setup_package_writer PRIVATE ${LIBDEFLATE_LIBRARY})
  target_compile_definitions(setup_package_writer PRIVATE SETUP_HAVE_LIBDEFLATE)
endif()
