target_sources(pure_tests PRIVATE
  ${CMAKE_SOURCE_DIR}/tests/core/CommandLineTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/core/DecimalTextTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/core/SettingsRulesTest.cpp)

if(WIN32)
  add_win_tests(core_tests
    ${CMAKE_SOURCE_DIR}/tests/core/SettingsFileTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/core/ErrorReportingTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/core/LoadSettingsTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/core/SystemLibraryTest.cpp)
  target_link_libraries(core_tests PRIVATE launcher_core)
  # The planted libraries are defined after the fragments.
  cmake_language(DEFER CALL add_dependencies core_tests planted_runtime_dependency)
endif()
