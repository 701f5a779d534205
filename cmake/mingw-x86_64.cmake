# The same sources for 64-bit Windows (MinGW-w64 x86_64, posix threads), run under 64-bit Wine:
# the tests' fallback on a Linux kernel that cannot run 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(tavori_mingw_prefix x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

find_program(TAVORI_WINE64 NAMES wine64 PATHS /usr/lib/wine /usr/lib/wine64 NO_DEFAULT_PATH)
find_program(TAVORI_WINE64 NAMES wine64 wine)
if(TAVORI_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TAVORI_WINE64})
endif()
