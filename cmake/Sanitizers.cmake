if(DRAWMENTOR_SANITIZE AND DRAWMENTOR_TSAN)
    message(FATAL_ERROR "ThreadSanitizer cannot be combined with AddressSanitizer: use a build folder for each")
endif()
if(DRAWMENTOR_SANITIZE)
    # Without -fno-sanitize-recover a UBSan finding only prints and the test still passes.
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
if(DRAWMENTOR_TSAN)
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
endif()
