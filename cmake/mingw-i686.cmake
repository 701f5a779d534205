# Cross-compiles for 32-bit Windows with MinGW-w64 (i686, posix threads); tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(tavori_mingw_prefix i686-w64-mingw32)
set(CMAKE_C_COMPILER ${tavori_mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${tavori_mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${tavori_mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${tavori_mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every executable runs on its own: the GCC runtime, the C++ library and winpthread are linked
# in, so nothing but the system's DLLs is needed beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(TAVORI_WINE NAMES wine wine32 wine-stable)
if(TAVORI_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TAVORI_WINE})
endif()
