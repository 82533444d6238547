# libFuzzer targets for every reader of stored data (tests/fuzz). Everything is
# built with coverage feedback and both sanitizers, so a build folder of its
# own: CXX=clang++-16 cmake -B build-fuzz -DDRAWMENTOR_FUZZ=ON
set(DRAWMENTOR_FUZZ_TARGETS OFF)
if(DRAWMENTOR_FUZZ)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        set(DRAWMENTOR_FUZZ_TARGETS ON)
        add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                            -fno-omit-frame-pointer)
        add_link_options(-fsanitize=address,undefined)
    else()
        message(WARNING "DRAWMENTOR_FUZZ needs clang (libFuzzer); with ${CMAKE_CXX_COMPILER_ID} only the corpus "
                        "replay is built")
    endif()
endif()
