target_sources(pure_tests PRIVATE
  ${CMAKE_SOURCE_DIR}/tests/core/CommandLineTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/core/DecimalTextTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/core/LogTextTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/core/SettingsRulesTest.cpp)

if(WIN32)
  add_win_tests(core_tests
    ${CMAKE_SOURCE_DIR}/tests/core/SettingsFileTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/core/ErrorReportingTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/core/FileExistsTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/core/LongPathSettingsTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/core/SystemLibraryTest.cpp)
  target_link_libraries(core_tests PRIVATE launcher_core)
  # The planted libraries are defined after the fragments.
  cmake_language(DEFER CALL add_dependencies core_tests planted_runtime_dependency)

  # The launcher target and the runtimes are defined after the fragments.
  add_test(NAME core.long_module_path
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/core/long_module_path.sh $<TARGET_FILE:launcher>
      ${CMAKE_BINARY_DIR}/runtimes/full ${CMAKE_BINARY_DIR}/long-module-path ${CMAKE_CROSSCOMPILING_EMULATOR})
endif()
