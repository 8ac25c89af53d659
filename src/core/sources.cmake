target_sources(launcher_pure PRIVATE
  ${CMAKE_SOURCE_DIR}/src/core/CommandLine.cpp
  ${CMAKE_SOURCE_DIR}/src/core/DecimalText.cpp
  ${CMAKE_SOURCE_DIR}/src/core/DesktopRules.cpp
  ${CMAKE_SOURCE_DIR}/src/core/FormatPlaceholders.cpp
  ${CMAKE_SOURCE_DIR}/src/core/LogFilePath.cpp
  ${CMAKE_SOURCE_DIR}/src/core/LogText.cpp
  ${CMAKE_SOURCE_DIR}/src/core/SettingsRules.cpp
  ${CMAKE_SOURCE_DIR}/src/core/SettingsTable.cpp)

if(WIN32)
  add_launcher_library(launcher_core
    ${CMAKE_SOURCE_DIR}/src/core/ErrorReporting.cpp
    ${CMAKE_SOURCE_DIR}/src/core/Settings.cpp
    ${CMAKE_SOURCE_DIR}/src/core/win/CenterWindow.cpp
    ${CMAKE_SOURCE_DIR}/src/core/win/DesktopIntegration.cpp
    ${CMAKE_SOURCE_DIR}/src/core/win/DiagnosticLog.cpp
    ${CMAKE_SOURCE_DIR}/src/core/win/DllSearch.cpp
    ${CMAKE_SOURCE_DIR}/src/core/win/EventLog.cpp
    ${CMAKE_SOURCE_DIR}/src/core/win/FileSystem.cpp
    ${CMAKE_SOURCE_DIR}/src/core/win/StandardError.cpp
    ${CMAKE_SOURCE_DIR}/src/core/win/SystemLibrary.cpp
    ${CMAKE_SOURCE_DIR}/src/core/win/Text.cpp)
  target_link_libraries(launcher_core PUBLIC user32 gdi32 kernel32 advapi32)
endif()
