target_sources(pure_tests PRIVATE
  ${CMAKE_SOURCE_DIR}/tests/hosting/MemoryOptionsTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/hosting/ModifiedUtf8Test.cpp
  ${CMAKE_SOURCE_DIR}/tests/hosting/FolderPathTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/hosting/VmParametersTest.cpp)

if(WIN32)
  add_win_tests(hosting_tests ${CMAKE_SOURCE_DIR}/tests/hosting/FileSystemTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/hosting/JavaStringsTest.cpp)
  target_link_libraries(hosting_tests PRIVATE launcher_hosting)
  add_dependencies(hosting_tests jvm_runtimes)
endif()

if(WIN32)
  # A runtime folder whose jvm.dll exists but fails to load with "module not found".
  set(hosting_fixtures ${CMAKE_BINARY_DIR}/hosting-fixtures)
  add_library(absent_dependency SHARED ${CMAKE_SOURCE_DIR}/tests/hosting/fixtures/absent_dependency.c)
  set_target_properties(absent_dependency PROPERTIES PREFIX ""
    RUNTIME_OUTPUT_DIRECTORY ${hosting_fixtures}/absent ARCHIVE_OUTPUT_DIRECTORY ${hosting_fixtures}/absent)
  add_library(unloadable_jvm SHARED ${CMAKE_SOURCE_DIR}/tests/hosting/fixtures/unloadable_jvm.c)
  target_link_libraries(unloadable_jvm PRIVATE absent_dependency)
  set_target_properties(unloadable_jvm PROPERTIES PREFIX "" OUTPUT_NAME jvm
    RUNTIME_OUTPUT_DIRECTORY ${hosting_fixtures}/unloadable/bin/client
    ARCHIVE_OUTPUT_DIRECTORY ${hosting_fixtures}/unloadable/lib)
  # The end-to-end targets are defined after the fragments.
  cmake_language(DEFER CALL add_dependencies hosting_e2e unloadable_jvm)
endif()

if(WIN32)
  add_executable(hosting_bare_host ${CMAKE_SOURCE_DIR}/bench/hosting/bare_host.cpp)
  target_link_libraries(hosting_bare_host PRIVATE jni_headers)
  target_link_options(hosting_bare_host PRIVATE -municode)
  add_executable(hosting_bare_gui_host ${CMAKE_SOURCE_DIR}/bench/hosting/bare_host.cpp)
  target_compile_definitions(hosting_bare_gui_host PRIVATE GUI_HOST)
  target_link_libraries(hosting_bare_gui_host PRIVATE jni_headers user32)
  target_link_options(hosting_bare_gui_host PRIVATE -municode)
  add_executable(hosting_startup_bench ${CMAKE_SOURCE_DIR}/bench/hosting/startup_bench.cpp)
  target_include_directories(hosting_startup_bench PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/bench)
  target_link_options(hosting_startup_bench PRIVATE -municode)
  add_executable(hosting_classpath_bench ${CMAKE_SOURCE_DIR}/bench/hosting/classpath_bench.cpp)
  target_link_libraries(hosting_classpath_bench PRIVATE launcher_hosting)
endif()
