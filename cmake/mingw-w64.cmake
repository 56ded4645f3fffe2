# Cross-compiles for 64-bit Windows with Debian's mingw-w64 toolchain:
#   cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
#         "-DCMAKE_CROSSCOMPILING_EMULATOR=$PWD/cmake/wine-run.sh;$PWD/build/win/wine" \
#         -DNOLT_BUILD_APP=OFF -DNOLT_BUILD_BENCH=OFF
# The emulator lets CTest run the test programs under Wine, in a prefix of the build's own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw x86_64-w64-mingw32)
# The -posix compilers bring std::thread and std::mutex, which GoogleTest uses.
set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static, so that the programs need none of the toolchain's DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
