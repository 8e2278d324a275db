# Cross-compiles the Windows programs with Debian's MinGW-w64 for 32-bit x86.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(SCOURIX_MINGW_TARGET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
