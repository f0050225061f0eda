# Cross-compiles for 64-bit Windows with MinGW-w64. Used to prove the code is
# free of pointer-size faults, and for the test programs, which run under
# 64-bit Wine (see tools/wine). SNAPVANE_MINGW_THREADS picks the compiler
# variant as in the 32-bit toolchain.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
if(NOT SNAPVANE_MINGW_THREADS)
  set(SNAPVANE_MINGW_THREADS win32)
endif()
set(_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${_prefix}-gcc-${SNAPVANE_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${_prefix}-g++-${SNAPVANE_MINGW_THREADS})
set(CMAKE_RC_COMPILER  ${_prefix}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine)
