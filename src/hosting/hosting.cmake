# JVM hosting: loading and creating the VM, its options, the Java thread,
# the standard stream redirection and the report of an escaped exception.
include(${CMAKE_SOURCE_DIR}/src/core/win/dialog_anchor.cmake)

target_sources(launcher_pure PRIVATE
  ${CMAKE_SOURCE_DIR}/src/hosting/ClassPathRules.cpp
  ${CMAKE_SOURCE_DIR}/src/hosting/ExceptionText.cpp
  ${CMAKE_SOURCE_DIR}/src/hosting/FolderPath.cpp
  ${CMAKE_SOURCE_DIR}/src/hosting/LibraryPaths.cpp
  ${CMAKE_SOURCE_DIR}/src/hosting/MemoryOptions.cpp
  ${CMAKE_SOURCE_DIR}/src/hosting/ModifiedUtf8.cpp
  ${CMAKE_SOURCE_DIR}/src/hosting/StartupArchiveRules.cpp
  ${CMAKE_SOURCE_DIR}/src/hosting/TimestampPicture.cpp
  ${CMAKE_SOURCE_DIR}/src/hosting/VmParameters.cpp)

if(WIN32)
  add_launcher_library(launcher_hosting
    ${CMAKE_SOURCE_DIR}/src/hosting/ApplicationStop.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/ClassPath.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/ExceptionDialog.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/ExceptionReport.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/JavaSession.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/JavaValues.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/JavaThread.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/JvmLibrary.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/MainClass.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/JvmOptions.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/OutputRedirection.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/StartupArchive.cpp)
  target_link_libraries(launcher_hosting PUBLIC launcher_core launcher_dialogs)
endif()
