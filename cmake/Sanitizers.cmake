if(DRAWMENTOR_SANITIZE)
    # Without -fno-sanitize-recover a UBSan finding only prints and the test still passes.
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
