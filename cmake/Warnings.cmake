# Applied per target, so that third-party code we compile never inherits them.
function(drawmentor_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion)
    if(DRAWMENTOR_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
