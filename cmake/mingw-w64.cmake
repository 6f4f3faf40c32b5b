# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads); the Windows test
# programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One executable each, with the C and C++ runtimes inside: nothing to ship beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# Windows keeps the stack 16-byte aligned, so spilled AVX registers must not need more.
set(CMAKE_CXX_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")

# Debian's wine64 package has no wrapper on PATH; the wine package adds /usr/bin/wine.
find_program(ZORVANE_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(ZORVANE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${ZORVANE_WINE})
endif()
