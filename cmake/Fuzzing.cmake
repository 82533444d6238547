# libFuzzer targets for every reader of stored data (tests/fuzz). They share the
# sanitizer build: with clang, DRAWMENTOR_FUZZ adds coverage feedback to the
# AddressSanitizer and UndefinedBehaviorSanitizer build, so one compile of the
# tree serves both the sanitized tests and the fuzzers:
#   cmake -B build-asan -DCMAKE_CXX_COMPILER=clang++-16 -DDRAWMENTOR_SANITIZE=ON -DDRAWMENTOR_FUZZ=ON
set(DRAWMENTOR_FUZZ_TARGETS OFF)
if(DRAWMENTOR_FUZZ)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        set(DRAWMENTOR_FUZZ_TARGETS ON)
        # A fuzzer without the sanitizers finds only crashes.
        set(DRAWMENTOR_SANITIZE ON)
        add_compile_options(-fsanitize=fuzzer-no-link
                            -fsanitize-coverage-ignorelist=${CMAKE_CURRENT_LIST_DIR}/fuzz-coverage-ignore.txt)
    else()
        message(WARNING "DRAWMENTOR_FUZZ needs clang (libFuzzer); with ${CMAKE_CXX_COMPILER_ID} only the corpus "
                        "replay is built")
    endif()
endif()
