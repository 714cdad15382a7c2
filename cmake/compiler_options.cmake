# Warnings, assertions and sanitizers shared by every target of the project.
add_library(zorbel_options INTERFACE)
target_compile_options(zorbel_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                                -Wcast-align -Wimplicit-fallthrough)
# GCC 12 reports -Wrestrict inside libstdc++'s string concatenation at -O2 and
# above, a known false positive (GCC bug 105329).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(zorbel_options INTERFACE -Wno-restrict)
endif()
if(ZORBEL_WERROR)
    target_compile_options(zorbel_options INTERFACE -Werror)
endif()
target_compile_definitions(zorbel_options INTERFACE $<$<CONFIG:Debug>:_GLIBCXX_ASSERTIONS>)

if(ZORBEL_SANITIZE)
    set(ZORBEL_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(zorbel_options INTERFACE ${ZORBEL_SANITIZER_FLAGS})
    target_link_options(zorbel_options INTERFACE ${ZORBEL_SANITIZER_FLAGS})
endif()

if(ZORBEL_BUILD_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "The fuzz targets need clang (libFuzzer)")
    endif()
    # Coverage for everything; the fuzz targets add the libFuzzer driver.
    target_compile_options(zorbel_options INTERFACE -fsanitize=fuzzer-no-link)
    target_link_options(zorbel_options INTERFACE -fsanitize=fuzzer-no-link)
endif()
