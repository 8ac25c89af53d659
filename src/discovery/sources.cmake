target_sources(launcher_pure PRIVATE
  ${CMAKE_SOURCE_DIR}/src/discovery/JavaVersion.cpp
  ${CMAKE_SOURCE_DIR}/src/discovery/ModernRuntimeKeys.cpp
  ${CMAKE_SOURCE_DIR}/src/discovery/PeImage.cpp
  ${CMAKE_SOURCE_DIR}/src/discovery/RegistryText.cpp
  ${CMAKE_SOURCE_DIR}/src/discovery/ReleaseFile.cpp
  ${CMAKE_SOURCE_DIR}/src/discovery/RuntimeKeys.cpp
  ${CMAKE_SOURCE_DIR}/src/discovery/RuntimeLayout.cpp
  ${CMAKE_SOURCE_DIR}/src/discovery/RuntimePreferences.cpp
  ${CMAKE_SOURCE_DIR}/src/discovery/RuntimeRanking.cpp)

if(WIN32)
  add_launcher_library(launcher_discovery
    ${CMAKE_SOURCE_DIR}/src/discovery/JavaHomeRuntime.cpp
    ${CMAKE_SOURCE_DIR}/src/discovery/LibraryMachine.cpp
    ${CMAKE_SOURCE_DIR}/src/discovery/RuntimeChoice.cpp
    ${CMAKE_SOURCE_DIR}/src/discovery/RegistrySearch.cpp
    ${CMAKE_SOURCE_DIR}/src/discovery/RuntimeFolderCache.cpp
    ${CMAKE_SOURCE_DIR}/src/discovery/RuntimeFolders.cpp)
  target_link_libraries(launcher_discovery PUBLIC launcher_core advapi32)
endif()
