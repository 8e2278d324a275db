# SQLite, for the Firefox places database. The host links Debian's library; the Windows
# programs compile in the amalgamation that scripts/fetch_sqlite.sh makes from Debian's source
# package: made once for every build folder of the checkout (it is the same for every target),
# and compiled in each.
if(NOT WIN32)
  find_package(SQLite3 REQUIRED)
  set(SCOURIX_SQLITE_LIBRARY SQLite::SQLite3)
  return()
endif()

set(SCOURIX_SQLITE_DIR "${PROJECT_SOURCE_DIR}/build/sqlite-amalgamation" CACHE PATH
    "Folder of sqlite3.c and sqlite3.h, made when missing")
if(NOT EXISTS "${SCOURIX_SQLITE_DIR}/sqlite3.c")
  message(STATUS "Making the SQLite amalgamation in ${SCOURIX_SQLITE_DIR}")
  execute_process(COMMAND bash "${PROJECT_SOURCE_DIR}/scripts/fetch_sqlite.sh" "${SCOURIX_SQLITE_DIR}"
    RESULT_VARIABLE scourix_sqlite_result)
  if(NOT scourix_sqlite_result EQUAL 0)
    message(FATAL_ERROR "Could not make the SQLite amalgamation")
  endif()
endif()

add_library(scourix_sqlite3 STATIC "${SCOURIX_SQLITE_DIR}/sqlite3.c")
target_include_directories(scourix_sqlite3 SYSTEM PUBLIC "${SCOURIX_SQLITE_DIR}")
# One thread, no extensions loaded at run time, and only calls that Windows XP has: the
# version check through GetVersionExA/W, no Windows 8 file or memory-mapping calls.
target_compile_definitions(scourix_sqlite3 PRIVATE ${SCOURIX_WINDOWS_FLOOR}
  SQLITE_THREADSAFE=0 SQLITE_OMIT_LOAD_EXTENSION SQLITE_WIN32_GETVERSIONEX=1
  SQLITE_DEFAULT_MEMSTATUS=0 SQLITE_OMIT_DEPRECATED SQLITE_OMIT_SHARED_CACHE SQLITE_DQS=0
  SQLITE_MAX_MMAP_SIZE=0 SQLITE_WIN32_NO_ANSI)
# It is not our code: its own warnings are not ours to fix. It is compiled in three trees
# (x86_64, x86, the Wine tests') and does little work here: -O1 keeps each compile short.
target_compile_options(scourix_sqlite3 PRIVATE -w -O1)
set(SCOURIX_SQLITE_LIBRARY scourix_sqlite3)
