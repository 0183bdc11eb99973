# SPDX-License-Identifier: GPL-3.0-or-later
# Compiler settings for the project's own targets (never for third-party code).

if(YELPCUE_SANITIZE)
    # Applied to everything that is linked, so the sanitizer runtime is consistent.
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

if(YELPCUE_FUZZ)
    # Coverage for libFuzzer's guidance in everything linked into a fuzz target.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

function(yelpcue_target_defaults target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /WX)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
        # GCC 12 at -O2/-O3 takes std::string concatenation for overlapping copies (GCC bug
        # 105329); that false alarm must not stop the Release build.
        if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12)
            target_compile_options(${target} PRIVATE -Wno-restrict)
        endif()
    endif()
endfunction()
