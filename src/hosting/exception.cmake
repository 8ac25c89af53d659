# Reporting an exception that escaped main: the stack trace and its dialog.
include(${CMAKE_SOURCE_DIR}/src/core/win/dialog_anchor.cmake)

target_sources(launcher_pure PRIVATE ${CMAKE_SOURCE_DIR}/src/hosting/ExceptionText.cpp)

if(WIN32)
  add_launcher_library(launcher_exception
    ${CMAKE_SOURCE_DIR}/src/hosting/ExceptionDialog.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/ExceptionReport.cpp)
  target_link_libraries(launcher_exception PUBLIC launcher_core launcher_dialogs launcher_hosting)
endif()
