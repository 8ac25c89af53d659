target_sources(pure_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/instance/ArgumentPackingTest.cpp)

if(WIN32)
  add_win_tests(instance_tests ${CMAKE_SOURCE_DIR}/tests/instance/InstanceChannelTest.cpp)
  # e2e_support: deadlines that follow the machine's time scale.
  target_link_libraries(instance_tests PRIVATE launcher_instance e2e_support)
endif()

if(WIN32)
  # Not tests: bench/forwarded_start.sh builds and runs them.
  add_executable(instance_bare_exit WIN32 EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/bare_exit.cpp)
  target_link_options(instance_bare_exit PRIVATE -municode)
  add_executable(forwarded_start_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/forwarded_start.cpp)
  target_link_libraries(forwarded_start_bench PRIVATE e2e_support)
  add_dependencies(forwarded_start_bench launcher jvm_runtimes instance_bare_exit)
endif()
