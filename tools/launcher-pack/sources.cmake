# The packer's logic as a library, for the tool itself and for the native
# tests and fuzz targets, which build it with sanitizers.
add_library(launcher_pack_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ExecutableBranding.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IconFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Inflate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/JarManifest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PackOptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Packer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PeChecksum.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PeLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResourceRewrite.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResourceTree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ServiceScripts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Utf.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VersionInfo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZipArchive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZipOffsets.cpp)
target_include_directories(launcher_pack_core PUBLIC ${CMAKE_CURRENT_LIST_DIR})

add_executable(launcher-pack ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(launcher-pack PRIVATE launcher_pack_core)
