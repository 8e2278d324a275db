# The back-end tests need GoogleTest, and GoogleTest needs std::mutex, which the win32-threads
# runtime lacks. A build with that runtime therefore builds them in a tree of its own, with
# the posix-threads compiler of the same target, and copies the test program to where it
# would have been: tests/wine/scourix_wine_tests.exe.
if(SCOURIX_MINGW_THREADS STREQUAL "posix")
  add_subdirectory(tests/wine)
  return()
endif()
include(ExternalProject)
cmake_host_system_information(RESULT scourix_cores QUERY NUMBER_OF_LOGICAL_CORES)
ExternalProject_Add(scourix_wine_tests_posix
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/posix-threads
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    -DSCOURIX_MINGW_THREADS=posix
    -DSCOURIX_SQLITE_DIR=${SCOURIX_SQLITE_DIR}
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target scourix_wine_tests
    --parallel ${scourix_cores}
  INSTALL_COMMAND ${CMAKE_COMMAND} -E copy <BINARY_DIR>/tests/wine/scourix_wine_tests.exe
    ${CMAKE_BINARY_DIR}/tests/wine/scourix_wine_tests.exe
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON)
