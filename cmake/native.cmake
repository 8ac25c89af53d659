# Native build of the pure logic with AddressSanitizer and UBSan, plus the
# fuzz targets (clang's libFuzzer).
set(sanitizers -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
add_compile_options(-g -O1 -Wall -Wextra ${sanitizers})
add_link_options(${sanitizers})

add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

include(cmake/common.cmake)
include(tools/launcher-pack/sources.cmake)
include(tests/pack/native_tests.cmake)

if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # Coverage feedback from the code under test, not only from the fuzz target.
  target_compile_options(launcher_pure PRIVATE -fsanitize=fuzzer-no-link)
  target_compile_options(launcher_pack_core PRIVATE -fsanitize=fuzzer-no-link)
  function(add_fuzzer name source)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE launcher_pure launcher_pack_core)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    # Crafted seeds reach what random changes rarely do; what a run finds
    # goes to the build tree's corpus, the first folder named.
    set(corpus)
    if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/tests/fuzz/seeds/${name})
      file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
      set(corpus ${CMAKE_BINARY_DIR}/fuzz-corpus/${name} ${CMAKE_SOURCE_DIR}/tests/fuzz/seeds/${name})
    endif()
    add_test(NAME fuzz.${name}
      COMMAND ${name} -max_total_time=10 -rss_limit_mb=1024 ${corpus})
  endfunction()
  file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
  foreach(source ${fuzz_sources})
    get_filename_component(name ${source} NAME_WE)
    add_fuzzer(${name} ${source})
  endforeach()
  target_link_libraries(pe_resources_fuzz PRIVATE pack_test_support)
endif()
