# Cross-compiles the Windows program: 32-bit, MinGW-w64 i686 with posix threads; runs under Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(tavori_mingw_prefix i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

find_program(TAVORI_WINE NAMES wine wine-stable)
if(TAVORI_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TAVORI_WINE})
endif()
