# The packer's logic, natively under the sanitizers.
add_library(pack_test_support STATIC
  ${CMAKE_SOURCE_DIR}/tests/pack/SyntheticImage.cpp
  ${CMAKE_SOURCE_DIR}/tests/pack/VersionResourceReader.cpp)
target_link_libraries(pack_test_support PUBLIC launcher_pack_core)
target_include_directories(pack_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/pack)

add_executable(pack_tests
  ${CMAKE_SOURCE_DIR}/tests/pack/ExecutableBrandingTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/pack/IconFileTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/pack/PackTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/pack/ResourceRewriteTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/pack/SettingsTextTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/pack/VersionInfoTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/pack/ZipOffsetsTest.cpp)
target_link_libraries(pack_tests PRIVATE pack_test_support GTest::gtest_main)
gtest_add_tests(TARGET pack_tests TEST_PREFIX "pack.")
