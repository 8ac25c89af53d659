if(WIN32)
  # The worker and the Java thread meet in the session, against the JVM double.
  add_win_tests(forward_worker_tests ${CMAKE_SOURCE_DIR}/tests/instance/ForwardWorkerTest.cpp)
  target_link_libraries(forward_worker_tests PRIVATE launcher_instance launcher_hosting)
  add_dependencies(forward_worker_tests jvm_runtimes)
endif()
