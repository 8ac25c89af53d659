target_sources(pure_tests PRIVATE
  ${CMAKE_SOURCE_DIR}/tests/discovery/JavaVersionTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/discovery/ReleaseFileTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/discovery/RuntimePreferencesTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/discovery/RuntimeRankingTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/discovery/UntrustedBytesTest.cpp)

if(WIN32)
  add_win_tests(discovery_tests
    ${CMAKE_SOURCE_DIR}/tests/discovery/DiscoveryFixtures.cpp
    ${CMAKE_SOURCE_DIR}/tests/discovery/ModernRegistrySearchTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/discovery/RegistrySearchTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/discovery/RuntimeFoldersTest.cpp)
  target_link_libraries(discovery_tests PRIVATE launcher_discovery shell32 advapi32)
endif()

if(WIN32)
  # Not a test: bench/registry_pass.sh builds and runs it.
  add_executable(registry_pass_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/registry_pass.cpp)
  target_link_libraries(registry_pass_bench PRIVATE launcher_discovery)
  target_include_directories(registry_pass_bench PRIVATE ${CMAKE_SOURCE_DIR}/bench)
  # It starts this tree's launcher with the runtime double.
  add_dependencies(registry_pass_bench launcher jvm_runtimes)
endif()
