# Warnings for the project's own targets only, so third-party headers stay quiet.
function(zarva_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
endfunction()
