target_sources(launcher_pure PRIVATE
  ${CMAKE_SOURCE_DIR}/src/instance/InstanceProtocol.cpp)

if(WIN32)
  add_launcher_library(launcher_instance
    ${CMAKE_SOURCE_DIR}/src/instance/SingleInstance.cpp
    ${CMAKE_SOURCE_DIR}/src/instance/InstanceChannel.cpp
    ${CMAKE_SOURCE_DIR}/src/instance/InstanceHold.cpp
    ${CMAKE_SOURCE_DIR}/src/instance/RequestListener.cpp
    ${CMAKE_SOURCE_DIR}/src/instance/ForwardWorker.cpp)
  target_link_libraries(launcher_instance PUBLIC launcher_core launcher_hosting user32 kernel32)
endif()
