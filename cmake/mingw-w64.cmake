# Shared by the MinGW-w64 toolchain files, which set SCOURIX_MINGW_TARGET first (the target
# triplet, for example x86_64-w64-mingw32).
#
# Debian ships each compiler in two threading variants. The shipped programs use win32
# threads: they have one thread, and the posix variant's runtime (winpthreads) imports
# functions that Windows XP lacks. The Wine tests need the posix variant, because GoogleTest
# needs std::mutex; SCOURIX_MINGW_THREADS selects it for their own build tree.
set(CMAKE_SYSTEM_NAME Windows)
set(SCOURIX_MINGW_THREADS win32 CACHE STRING "Threading variant of the MinGW-w64 compiler")
set_property(CACHE SCOURIX_MINGW_THREADS PROPERTY STRINGS win32 posix)
set(CMAKE_C_COMPILER ${SCOURIX_MINGW_TARGET}-gcc-${SCOURIX_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${SCOURIX_MINGW_TARGET}-g++-${SCOURIX_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${SCOURIX_MINGW_TARGET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${SCOURIX_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
