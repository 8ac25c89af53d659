# Pure logic: no <windows.h>, built for Windows and natively alike.
add_library(launcher_pure STATIC)
target_include_directories(launcher_pure PUBLIC ${CMAKE_SOURCE_DIR}/src)

add_executable(pure_tests)
target_link_libraries(pure_tests PRIVATE launcher_pure GTest::gtest_main)

foreach(dir core discovery hosting splash instance)
  include(${CMAKE_SOURCE_DIR}/src/${dir}/sources.cmake OPTIONAL)
  include(${CMAKE_SOURCE_DIR}/tests/${dir}/tests.cmake OPTIONAL)
endforeach()

include(GoogleTest)
gtest_add_tests(TARGET pure_tests TEST_PREFIX "pure.")
