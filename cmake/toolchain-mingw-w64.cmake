# Cross-compiles for 64-bit Windows with MinGW-w64 (posix threads) and runs
# the resulting programs through Wine, so ctest works on a Linux host.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KVVX_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${KVVX_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KVVX_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${KVVX_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KVVX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

find_program(KVVX_WINE NAMES wine wine64 PATHS /usr/bin /usr/lib/wine)
if(KVVX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KVVX_WINE})
endif()
