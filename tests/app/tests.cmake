if(WIN32)
  add_win_tests(app_tests ${CMAKE_SOURCE_DIR}/tests/app/AppSettingsTest.cpp)
  target_link_libraries(app_tests PRIVATE launcher_app)
endif()
