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
# Windows places the program at a random address (ASLR, with all of the 64-bit address space
# where there is one) and runs no code from its data (DEP). Recent linkers do this by default;
# saying so keeps it with older ones.
set(tavori_pe_security "-Wl,--dynamicbase -Wl,--nxcompat")
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  string(APPEND tavori_pe_security " -Wl,--high-entropy-va")
endif()
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ ${tavori_pe_security}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ ${tavori_pe_security}")
