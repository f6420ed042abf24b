# Warnings are errors in our own code; third-party sources (the VST 3 SDK)
# are compiled without this so their warnings never break the build.
function(vorla_own_code target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
