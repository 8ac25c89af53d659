set(MINGW_TRIPLE i686-w64-mingw32)
set(WINE_BITS 32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# This build's names, and the compiler of the other architecture for the
# doubles that stand for a runtime this build cannot host.
set(LAUNCHER_NAME launcher)
set(LAUNCHER_MANIFEST_ARCH x86)
set(LAUNCHER_FOREIGN_CXX x86_64-w64-mingw32-g++-posix)
