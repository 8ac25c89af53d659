# The application object on top of every subsystem; main.cpp is the
# executable's own source.
if(WIN32)
  add_launcher_library(launcher_app
    ${CMAKE_SOURCE_DIR}/src/app/Application.cpp
    ${CMAKE_SOURCE_DIR}/src/app/AppSettings.cpp
    ${CMAKE_SOURCE_DIR}/src/app/ServiceHost.cpp
    ${CMAKE_SOURCE_DIR}/src/app/LauncherProcess.cpp
    ${CMAKE_SOURCE_DIR}/src/app/RestartSupervisor.cpp)
  # version.h, made by the build
  target_include_directories(launcher_app PRIVATE ${CMAKE_BINARY_DIR}/resources)
  target_link_libraries(launcher_app PUBLIC
    launcher_core launcher_discovery launcher_discovery_ui launcher_hosting launcher_instance launcher_splash)
endif()
