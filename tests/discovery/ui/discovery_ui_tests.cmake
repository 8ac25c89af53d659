target_sources(pure_tests PRIVATE
  ${CMAKE_SOURCE_DIR}/tests/discovery/ui/LinkTextRulesTest.cpp)

if(WIN32)
  add_win_tests(jre_dialog_tests
    ${CMAKE_SOURCE_DIR}/tests/discovery/ui/HyperLinkControlTest.cpp)
  target_link_libraries(jre_dialog_tests PRIVATE launcher_discovery_ui)
endif()
