# Cross build for 32-bit Windows: the launcher, its test doubles and the
# tests that run under Wine.
set(CMAKE_CXX_FLAGS_MINSIZEREL "-Os -DNDEBUG")
set(CMAKE_C_FLAGS_MINSIZEREL "-Os -DNDEBUG")
add_compile_options(-Wall -Wextra -ffunction-sections -fdata-sections)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_link_options(-static -Wl,--gc-sections)

set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
add_library(GTest::gtest_main ALIAS gtest_main)
add_library(GTest::gtest ALIAS gtest)

add_library(launcher_win STATIC)
target_link_libraries(launcher_win PUBLIC launcher_pure jni_headers
  comctl32 gdiplus shlwapi ole32 shell32 uuid)

add_executable(win_tests)
target_link_libraries(win_tests PRIVATE launcher_win GTest::gtest_main)

include(cmake/common.cmake)

add_executable(launcher WIN32 src/core/main.cpp src/resources/launcher.rc)
target_link_libraries(launcher PRIVATE launcher_win)
target_link_options(launcher PRIVATE -municode -s)
add_custom_command(TARGET launcher POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E echo "launcher.exe size:"
  COMMAND stat -c "%s bytes" $<TARGET_FILE:launcher>)

add_subdirectory(tests/fixtures)
add_subdirectory(tests/e2e)
gtest_add_tests(TARGET win_tests TEST_PREFIX "win.")
