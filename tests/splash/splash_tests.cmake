target_sources(pure_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/splash/SplashRulesTest.cpp)

if(WIN32)
  add_win_tests(splash_tests ${CMAKE_SOURCE_DIR}/tests/splash/SplashWindowTest.cpp)
  # e2e_support: deadlines that follow the machine's time scale.
  target_link_libraries(splash_tests PRIVATE launcher_splash e2e_support)

  # Not a test: bench/splash_startup.sh builds and runs it.
  add_executable(splash_startup_bench EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/splash_startup.cpp)
  target_link_libraries(splash_startup_bench PRIVATE e2e_support)
  add_dependencies(splash_startup_bench launcher jvm_runtimes)
endif()
