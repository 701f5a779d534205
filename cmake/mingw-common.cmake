# The MinGW-w64 cross build shared by both toolchain files; they set tavori_mingw_prefix first.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${tavori_mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${tavori_mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${tavori_mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${tavori_mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every executable (and the tests' one DLL) runs on its own: the GCC runtime, the C++ library and winpthread are linked
# in, so nothing but the system's DLLs is needed beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
