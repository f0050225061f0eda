# Cross-compiles for 32-bit Windows with MinGW-w64.
# SNAPVANE_MINGW_THREADS picks the compiler variant: "win32" for the shipped
# programs (its runtime imports nothing Windows XP lacks), "posix" for the
# test programs (GoogleTest needs std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
if(NOT SNAPVANE_MINGW_THREADS)
  set(SNAPVANE_MINGW_THREADS win32)
endif()
set(_prefix i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${_prefix}-gcc-${SNAPVANE_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${_prefix}-g++-${SNAPVANE_MINGW_THREADS})
set(CMAKE_RC_COMPILER  ${_prefix}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine)
