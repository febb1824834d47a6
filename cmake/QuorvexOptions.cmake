# Compiler settings shared by every target of the project.

# Rebuilds in another folder or another checkout (CI runs on a fresh clone) reuse earlier
# compilations: paths below the source folder are hashed as relative paths.
if(QUORVEX_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
    find_program(QUORVEX_CCACHE_PROGRAM ccache)
    if(QUORVEX_CCACHE_PROGRAM)
        set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${CMAKE_SOURCE_DIR}
                                        CCACHE_NOHASHDIR=1 ${QUORVEX_CCACHE_PROGRAM})
    endif()
endif()

add_library(quorvex_options INTERFACE)
target_compile_options(quorvex_options INTERFACE -Wall -Wextra -Wpedantic)
# GCC 12 reports false -Wrestrict warnings inside std::string at -O3 (GCC bug 105329).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(quorvex_options INTERFACE -Wno-restrict)
endif()
if(QUORVEX_WERROR)
    target_compile_options(quorvex_options INTERFACE -Werror)
endif()

if(QUORVEX_SANITIZE)
    target_compile_options(quorvex_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(quorvex_options INTERFACE -fsanitize=address,undefined)
endif()

if(QUORVEX_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "QUORVEX_FUZZ needs clang (configure with CXX=clang++)")
    endif()
    # Instrument the libraries for coverage; the fuzz targets add the libFuzzer main.
    target_compile_options(quorvex_options INTERFACE -fsanitize=fuzzer-no-link,address,undefined)
    target_link_options(quorvex_options INTERFACE -fsanitize=address,undefined)
endif()
