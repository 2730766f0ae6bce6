# Warnings are errors in our own code; library headers come in as system headers.
function(penlark_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror -Wno-error=deprecated-declarations)
endfunction()
