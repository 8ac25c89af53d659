# Resizing and anchoring of dialog controls, shared by the launcher's dialogs.
include_guard(GLOBAL)

if(WIN32)
  add_launcher_library(launcher_dialogs ${CMAKE_SOURCE_DIR}/src/core/win/DialogAnchor.cpp)
  target_link_libraries(launcher_dialogs PUBLIC launcher_core user32)
endif()
