# Applied per target, so that third-party code we compile never inherits them.
function(drawmentor_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wno-sign-conversion)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        # g++ 12 at -O3 reports impossible overlaps inside std::string (GCC bug 105651).
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
    if(DRAWMENTOR_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
