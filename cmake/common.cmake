# Pure logic: no <windows.h>, built for Windows and natively alike.
add_library(launcher_pure STATIC)
target_include_directories(launcher_pure PUBLIC ${CMAKE_SOURCE_DIR}/src)

add_executable(pure_tests)
target_link_libraries(pure_tests PRIVATE launcher_pure GTest::gtest_main)

# Each subsystem lists its sources and tests in *.cmake fragments: pure code
# goes to launcher_pure / pure_tests; Win32 code (guarded by if(WIN32)) to
# its own add_launcher_library / add_win_tests targets.
foreach(dir core discovery discovery/ui hosting splash instance app)
  file(GLOB fragments CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/src/${dir}/*.cmake ${CMAKE_SOURCE_DIR}/tests/${dir}/*.cmake)
  foreach(fragment ${fragments})
    include(${fragment})
  endforeach()
endforeach()

include(GoogleTest)
if(CMAKE_CROSSCOMPILING)
  # Under Wine every process start costs, half a second where 32-bit code is
  # emulated: the cases run in one start. Natively each runs on its own.
  add_test(NAME pure.all COMMAND pure_tests)
  use_test_code_options(pure_tests)
else()
  gtest_add_tests(TARGET pure_tests TEST_PREFIX "pure.")
endif()
