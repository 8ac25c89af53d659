target_sources(pure_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/instance/ArgumentPackingTest.cpp)

if(WIN32)
  add_win_tests(instance_tests ${CMAKE_SOURCE_DIR}/tests/instance/InstanceChannelTest.cpp)
  target_link_libraries(instance_tests PRIVATE launcher_instance)
endif()
