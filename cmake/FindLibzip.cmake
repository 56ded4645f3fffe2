# Finds libzip's header and library as the target libzip::zip. libzip's own CMake package is not
# used: Debian's names the libzip tools too, which come in packages of their own.
# NOLT_LIBZIP_PREFIX names the folder of a build outside the system's, as the Windows build's
# static libzip (scripts/windows-libzip.sh), which links zlib (ZLIB::ZLIB) and advapi32 after it.
if(NOLT_LIBZIP_PREFIX)
  set(search PATHS "${NOLT_LIBZIP_PREFIX}" NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
endif()
find_path(Libzip_INCLUDE_DIR zip.h PATH_SUFFIXES include ${search})
find_library(Libzip_LIBRARY NAMES zip PATH_SUFFIXES lib ${search})
include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(Libzip REQUIRED_VARS Libzip_LIBRARY Libzip_INCLUDE_DIR)
if(Libzip_FOUND AND NOT TARGET libzip::zip)
  add_library(libzip::zip UNKNOWN IMPORTED)
  set_target_properties(libzip::zip PROPERTIES
    IMPORTED_LOCATION "${Libzip_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${Libzip_INCLUDE_DIR}")
  if(WIN32)
    set_property(TARGET libzip::zip PROPERTY INTERFACE_LINK_LIBRARIES ZLIB::ZLIB advapi32)
  endif()
endif()
