# Warnings are errors in our own code; library headers come in as system headers.
# GCC 12 reports false -Wrestrict overlaps in std::string concatenation at -O2 and above
# (GCC bug 105329), so that one check is left to other compilers.
function(penlark_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror -Wno-error=deprecated-declarations
                         $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-restrict>)
endfunction()
