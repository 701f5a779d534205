# Warning flags shared by every target of the project.
function(tavori_set_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
    -Wimplicit-fallthrough -Wcast-qual -Wformat=2 -Wundef)
  if(TAVORI_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
