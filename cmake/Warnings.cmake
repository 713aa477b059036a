# Warnings are errors in every build of the project's own code.
function(brimzo_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
        -Wold-style-cast -Wnon-virtual-dtor -Wcast-align -Wformat=2 -Werror)
endfunction()
