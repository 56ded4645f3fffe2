# cmake -DNOLT_OS_KEY=<key> -DHEADER=<file> -P OsKeyCheck.cmake
# Runs the key check of the configure step and prints the header it writes.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/OsKey.cmake)
nolt_configure_os_key(${HEADER})
file(READ ${HEADER} header)
message(STATUS "${header}")
