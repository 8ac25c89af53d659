target_sources(launcher_pure PRIVATE
  ${CMAKE_SOURCE_DIR}/src/splash/SplashRules.cpp)

if(WIN32)
  add_launcher_library(launcher_splash
    ${CMAKE_SOURCE_DIR}/src/splash/GdiPlusRuntime.cpp
    ${CMAKE_SOURCE_DIR}/src/splash/NativeSplash.cpp
    ${CMAKE_SOURCE_DIR}/src/splash/SplashScreen.cpp
    ${CMAKE_SOURCE_DIR}/src/splash/SplashScreenWindow.cpp)
  target_link_libraries(launcher_splash PUBLIC launcher_core gdi32 user32)
endif()
