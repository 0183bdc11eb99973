# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix).
# Test programs run through Wine (wine64, by wine-run.sh), so ctest works on the build machine:
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DYELPCUE_GUI=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(YELPCUE_MINGW_TRIPLET x86_64-w64-mingw32)
# The posix thread model gives std::thread and std::mutex, which the win32 model lacks.
set(CMAKE_C_COMPILER ${YELPCUE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${YELPCUE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${YELPCUE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${YELPCUE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The sound libraries that scripts/windows-sound-libs.sh builds, in the prefix it prints
# (-DYELPCUE_WINDOWS_LIBS=PREFIX): pkg-config reads their files there and nowhere else, so
# that a Windows build never picks up the build machine's own libraries.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES YELPCUE_WINDOWS_LIBS)
if(YELPCUE_WINDOWS_LIBS)
    list(APPEND CMAKE_FIND_ROOT_PATH ${YELPCUE_WINDOWS_LIBS})
endif()
set(ENV{PKG_CONFIG_LIBDIR} "${YELPCUE_WINDOWS_LIBS}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# The compiler's own libraries (libstdc++, libgcc, winpthread) stay DLLs, the ones Qt's DLLs
# use, so that one runtime holds the heap and the exceptions. Wine finds them through WINEPATH
# (scripts/test-windows.sh); the installer puts them beside the program.

# Debian's wine64 package installs no wine64 on the PATH.
find_program(YELPCUE_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(YELPCUE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${YELPCUE_WINE})
endif()
