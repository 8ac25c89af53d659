# JVM hosting: loading and creating the VM, its options, the Java thread and
# the standard stream redirection.
target_sources(launcher_pure PRIVATE
  ${CMAKE_SOURCE_DIR}/src/hosting/ClassPathRules.cpp
  ${CMAKE_SOURCE_DIR}/src/hosting/FolderPath.cpp
  ${CMAKE_SOURCE_DIR}/src/hosting/LibraryPaths.cpp
  ${CMAKE_SOURCE_DIR}/src/hosting/MemoryOptions.cpp
  ${CMAKE_SOURCE_DIR}/src/hosting/ModifiedUtf8.cpp
  ${CMAKE_SOURCE_DIR}/src/hosting/TimestampPicture.cpp
  ${CMAKE_SOURCE_DIR}/src/hosting/VmParameters.cpp)

if(WIN32)
  add_launcher_library(launcher_hosting
    ${CMAKE_SOURCE_DIR}/src/hosting/ClassPath.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/JavaStreams.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/JavaStrings.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/JavaThread.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/JvmLibrary.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/JvmOptions.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/OutputRedirection.cpp
    ${CMAKE_SOURCE_DIR}/src/hosting/TextConversion.cpp)
  # Splash and exception reporting may be linked in by name before their
  # fragments are read.
  target_link_libraries(launcher_hosting PUBLIC launcher_core
    $<TARGET_NAME_IF_EXISTS:launcher_splash> $<TARGET_NAME_IF_EXISTS:launcher_exception>)
endif()
