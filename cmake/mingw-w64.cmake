# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (POSIX threads).
# The programs link the GCC runtime and the C++ library statically, so that
# they need no DLL beside them; Wine runs them in the tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(YZO_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${YZO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${YZO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${YZO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${YZO_MINGW_PREFIX})
# A wxWidgets installed outside that root (the build script's cache) is a
# root of its own, so that its libraries are found.
if(wxWidgets_CONFIG_EXECUTABLE)
  get_filename_component(YZO_WX_PREFIX ${wxWidgets_CONFIG_EXECUTABLE} DIRECTORY)
  get_filename_component(YZO_WX_PREFIX ${YZO_WX_PREFIX} DIRECTORY)
  list(APPEND CMAKE_FIND_ROOT_PATH ${YZO_WX_PREFIX})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(YZO_WINE NAMES wine wine64)
if(YZO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${YZO_WINE})
endif()
