# Linux builds are hardened as Debian hardens its own packages (the flags `dpkg-buildflags`
# gives with hardening=+all): a stack protector, checked string and memory functions, and
# relocations made read-only before the program starts (full RELRO with BIND_NOW). Executables
# stay position-independent, as the compiler makes them by default. Sanitizer and fuzzing
# builds bring their own instrumentation and are left alone, and WebAssembly runs in the
# browser's own sandbox, where none of these exist.
if(NOT WIN32 AND NOT EMSCRIPTEN AND NOT TAVORI_SANITIZE AND NOT TAVORI_FUZZ)
  add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
  # The checked functions need the optimiser to know object sizes; a debug build has none to
  # check. Any level the compiler predefines is replaced, so it is never redefined.
  add_compile_options("$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
