target_sources(launcher_pure PRIVATE
  ${CMAKE_SOURCE_DIR}/src/splash/SplashPlacement.cpp
  ${CMAKE_SOURCE_DIR}/src/splash/NativeSplashPath.cpp)

if(WIN32)
  add_launcher_library(launcher_splash
    ${CMAKE_SOURCE_DIR}/src/splash/DisplaySettings.cpp
    ${CMAKE_SOURCE_DIR}/src/splash/GdiPlusRuntime.cpp
    ${CMAKE_SOURCE_DIR}/src/splash/NativeSplash.cpp
    ${CMAKE_SOURCE_DIR}/src/splash/SplashControl.cpp
    ${CMAKE_SOURCE_DIR}/src/splash/SplashScreenWindow.cpp
    ${CMAKE_SOURCE_DIR}/src/splash/SplashState.cpp
    ${CMAKE_SOURCE_DIR}/src/splash/SplashThread.cpp)
  target_link_libraries(launcher_splash PUBLIC launcher_core gdi32 user32)
endif()
