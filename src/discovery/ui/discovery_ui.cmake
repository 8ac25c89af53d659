target_sources(launcher_pure PRIVATE
  ${CMAKE_SOURCE_DIR}/src/discovery/ui/AnchorColor.cpp
  ${CMAKE_SOURCE_DIR}/src/discovery/ui/LinkStyle.cpp
  ${CMAKE_SOURCE_DIR}/src/discovery/ui/LinkTags.cpp)

if(WIN32)
  add_launcher_library(launcher_discovery_ui
    ${CMAKE_SOURCE_DIR}/src/discovery/ui/BrowserLinkColors.cpp
    ${CMAKE_SOURCE_DIR}/src/discovery/ui/CommonControls.cpp
    ${CMAKE_SOURCE_DIR}/src/discovery/ui/HyperLinkControl.cpp
    ${CMAKE_SOURCE_DIR}/src/discovery/ui/JreNotFoundDialog.cpp
    ${CMAKE_SOURCE_DIR}/src/discovery/ui/ShellFunctions.cpp)
  target_link_libraries(launcher_discovery_ui PUBLIC
    launcher_core launcher_discovery advapi32 user32 gdi32)
endif()
