target_sources(pure_tests PRIVATE
  ${CMAKE_SOURCE_DIR}/tests/hosting/MemoryOptionsTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/hosting/ModifiedUtf8Test.cpp
  ${CMAKE_SOURCE_DIR}/tests/hosting/PathRulesTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/hosting/VmParametersTest.cpp)

if(WIN32)
  add_win_tests(hosting_tests ${CMAKE_SOURCE_DIR}/tests/hosting/FileSystemTest.cpp)
  target_link_libraries(hosting_tests PRIVATE launcher_hosting)
endif()
