# Cross build for Windows, one architecture per build tree (the toolchain file
# names it): the launcher, its test doubles and the tests that run under Wine.
set(CMAKE_CXX_FLAGS_MINSIZEREL "-Os -DNDEBUG")
set(CMAKE_C_FLAGS_MINSIZEREL "-Os -DNDEBUG")
add_compile_options(-Wall -Wextra -ffunction-sections -fdata-sections)
# Microsoft printf semantics: a %s in a wide format takes a wide string.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601
  __USE_MINGW_ANSI_STDIO=0)
# Only the launcher links through the optimiser (below); everything else
# links the code of the objects, which the linker plugin would mistake for
# duplicates of the optimiser's.
add_link_options(-static -Wl,--gc-sections -fno-use-linker-plugin)

add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# Test programs are most of what a tree compiles, and optimising them buys
# nothing: they build unoptimised. The code under test keeps its own flags.
function(use_test_code_options target)
  target_compile_options(${target} PRIVATE -O0)
endfunction()
use_test_code_options(gtest)
use_test_code_options(gtest_main)

# The manifest names the architecture, for itself and for the common controls.
# Stored without its indentation, which would cost the image a few hundred bytes.
file(READ src/resources/launcher.manifest.in manifest_text)
string(REGEX REPLACE "\n *" "\n" manifest_text "${manifest_text}")
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/resources/launcher.manifest CONTENT "${manifest_text}" @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS src/resources/launcher.manifest.in)
configure_file(src/resources/version.h.in ${CMAKE_BINARY_DIR}/resources/version.h @ONLY)
add_library(launcher_resources OBJECT src/resources/launcher.rc)
# windres reports no dependencies: name what the script pulls in.
file(GLOB resource_parts CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/resources/*)
set_source_files_properties(src/resources/launcher.rc PROPERTIES
  OBJECT_DEPENDS "${resource_parts};${CMAKE_BINARY_DIR}/resources/launcher.manifest;${CMAKE_BINARY_DIR}/resources/version.h")
target_include_directories(launcher_resources PRIVATE src/resources ${CMAKE_BINARY_DIR}/resources)

# The shipped program's code throws and catches nothing. On x86 its unwind
# tables serve only C++ exceptions; x86-64 keeps them, because Windows unwinds
# through every frame by them for structured exceptions and longjmp. Type
# information stays: without it make_shared calls into a library object that
# drags the whole exception runtime back in. The forced header keeps the
# standard strings from linking their whole instantiations.
# The launcher links its code as one unit: a fifth smaller than linking the
# subsystems' objects. They stay usable without it (fat objects), for the
# test programs; one partition, since GCC 12 fails on the split ones.
set(launcher_code_options -fno-exceptions -flto -ffat-lto-objects
  "SHELL:-include ${CMAKE_SOURCE_DIR}/cmake/inline-templates.h")
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86")
  list(APPEND launcher_code_options -fno-asynchronous-unwind-tables -fno-unwind-tables)
endif()
function(use_launcher_code_options target)
  target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${launcher_code_options}>)
endfunction()

# A subsystem's Win32 code: one static library each, so a test program
# links only what it exercises.
function(add_launcher_library name)
  add_library(${name} STATIC ${ARGN})
  use_launcher_code_options(${name})
  target_link_libraries(${name} PUBLIC launcher_pure jni_headers)
  set_property(GLOBAL APPEND PROPERTY LAUNCHER_LIBRARIES ${name})
endfunction()

# An in-process test program of Win32 code, run under Wine.
function(add_win_tests name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE launcher_resources GTest::gtest_main)
  use_test_code_options(${name})
  target_compile_definitions(${name} PRIVATE
    BUILD_DIR="Z:${CMAKE_BINARY_DIR}" SOURCE_DIR="Z:${CMAKE_SOURCE_DIR}")
  gtest_add_tests(TARGET ${name} TEST_PREFIX "${name}.")
endfunction()

include(cmake/common.cmake)

get_property(launcher_libraries GLOBAL PROPERTY LAUNCHER_LIBRARIES)
add_executable(launcher WIN32 src/app/main.cpp src/core/win/NoThrowRuntime.cpp)
set_target_properties(launcher PROPERTIES OUTPUT_NAME ${LAUNCHER_NAME})
use_launcher_code_options(launcher)
use_launcher_code_options(launcher_pure)
target_link_libraries(launcher PRIVATE ${launcher_libraries} launcher_resources)
# No-execute data, a relocatable image (with 64-bit addresses where there are
# any) and no compatibility shims for terminal servers.
set(launcher_link_options -fuse-linker-plugin -flto -flto-partition=one -municode -s -Wl,--nxcompat,--dynamicbase,--tsaware
  $<$<STREQUAL:${CMAKE_SYSTEM_PROCESSOR},AMD64>:-Wl,--high-entropy-va>)
target_link_options(launcher PRIVATE ${launcher_link_options})
add_custom_command(TARGET launcher POST_BUILD
  COMMAND stat -c "%n: %s bytes" $<TARGET_FILE_NAME:launcher>
  WORKING_DIRECTORY $<TARGET_FILE_DIR:launcher> VERBATIM)

# The console variant: the same program on the console subsystem, its
# messages on standard error (LAUNCHER_CONSOLE switches the few places).
add_executable(launcher_console src/app/main.cpp src/app/Application.cpp src/app/AppSettings.cpp
  src/app/LauncherProcess.cpp src/app/RestartSupervisor.cpp src/app/ServiceHost.cpp src/core/ErrorReporting.cpp
  src/core/win/NoThrowRuntime.cpp)
set_target_properties(launcher_console PROPERTIES OUTPUT_NAME ${LAUNCHER_NAME}c)
target_compile_definitions(launcher_console PRIVATE LAUNCHER_CONSOLE)
target_include_directories(launcher_console PRIVATE ${CMAKE_BINARY_DIR}/resources)
use_launcher_code_options(launcher_console)
target_link_libraries(launcher_console PRIVATE launcher_core launcher_discovery launcher_discovery_ui
  launcher_hosting launcher_instance launcher_splash launcher_resources)
target_link_options(launcher_console PRIVATE ${launcher_link_options} -mconsole)

# launcher-pack runs on the build machine: built with its own compiler,
# beside the launchers it packs.
include(ExternalProject)
ExternalProject_Add(launcher_pack
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/tools/launcher-pack
  BINARY_DIR ${CMAKE_BINARY_DIR}/launcher-pack
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/launcher-pack/launcher-pack)
set(LAUNCHER_PACK ${CMAKE_BINARY_DIR}/launcher-pack/launcher-pack)

add_subdirectory(tests/fixtures)
add_subdirectory(tests/e2e)
add_test(NAME release.launcher_image
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/core/check_launcher_image.sh $<TARGET_FILE:launcher> ${LAUNCHER_MANIFEST_ARCH} gui
    ${PROJECT_VERSION})
add_test(NAME release.console_launcher_image
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/core/check_launcher_image.sh $<TARGET_FILE:launcher_console> ${LAUNCHER_MANIFEST_ARCH}
    console ${PROJECT_VERSION})
