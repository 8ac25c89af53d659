target_sources(pure_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/hosting/exception_text_tests.cpp)

if(WIN32)
  add_win_tests(exception_tests ${CMAKE_SOURCE_DIR}/tests/hosting/exception_dialog_tests.cpp)
  # e2e_support: the screenshots go through the same robot as the end-to-end tests.
  target_link_libraries(exception_tests PRIVATE launcher_hosting e2e_support)
endif()
