# Cross build for 64-bit Windows with MinGW-w64 (Debian: g++-mingw-w64-x86-64-posix).
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# The posix thread model is the one whose libstdc++ has std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VQ_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VQ_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VQ_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VQ_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VQ_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained file per program: the C and C++ runtimes and winpthread are
# linked in, so an .exe imports nothing but Windows' own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs cannot run at build time here: list a test binary's cases when
# ctest runs (under Wine, through the emulator below), not after linking it.
# scripts/test-windows.sh runs the test binaries directly in a throwaway prefix.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
find_program(VQ_WINE wine)
if(VQ_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VQ_WINE})
endif()

# Release builds ship without symbols.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
