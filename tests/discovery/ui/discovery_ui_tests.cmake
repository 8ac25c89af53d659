target_sources(pure_tests PRIVATE
  ${CMAKE_SOURCE_DIR}/tests/discovery/ui/LinkTextRulesTest.cpp)

if(WIN32)
  add_win_tests(jre_dialog_tests
    ${CMAKE_SOURCE_DIR}/tests/discovery/ui/HyperLinkControlTest.cpp)
  # e2e_support: deadlines that follow the machine's time scale, and reading the link's log.
  target_link_libraries(jre_dialog_tests PRIVATE launcher_discovery_ui e2e_support)
endif()
