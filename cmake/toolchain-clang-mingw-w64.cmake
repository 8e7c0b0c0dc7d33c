# Cross-compiles for 64-bit Windows with clang and lld against the MinGW-w64
# headers and libraries (and the C++ library of the MinGW-w64 GCC beside
# them), so the code is checked by a second compiler. Like the GCC toolchain
# file it names Wine as the emulator, so ctest runs the programs under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KVVX_MINGW_PREFIX x86_64-w64-mingw32)
set(KVVX_MINGW_SYSROOT /usr/${KVVX_MINGW_PREFIX})
set(CMAKE_C_COMPILER   clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET   ${KVVX_MINGW_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${KVVX_MINGW_PREFIX})
set(CMAKE_RC_COMPILER  ${KVVX_MINGW_PREFIX}-windres)

# Debian's clang does not recognise the GCC folder named "<version>-posix" by
# itself: its C++ headers and runtime libraries are named here. The posix
# flavour has std::thread and std::mutex (over winpthreads).
file(GLOB KVVX_MINGW_GCC_DIRS LIST_DIRECTORIES true /usr/lib/gcc/${KVVX_MINGW_PREFIX}/*-posix)
list(SORT KVVX_MINGW_GCC_DIRS COMPARE NATURAL ORDER DESCENDING)
list(GET KVVX_MINGW_GCC_DIRS 0 KVVX_MINGW_GCC_DIR)
set(KVVX_CXX_INCLUDES
  "-isystem ${KVVX_MINGW_GCC_DIR}/include/c++"
  "-isystem ${KVVX_MINGW_GCC_DIR}/include/c++/${KVVX_MINGW_PREFIX}"
  "-isystem ${KVVX_MINGW_GCC_DIR}/include/c++/backward")
string(JOIN " " KVVX_CXX_INCLUDES ${KVVX_CXX_INCLUDES})
set(CMAKE_C_FLAGS_INIT "--sysroot=${KVVX_MINGW_SYSROOT}")
set(CMAKE_CXX_FLAGS_INIT "--sysroot=${KVVX_MINGW_SYSROOT} ${KVVX_CXX_INCLUDES}")
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-fuse-ld=lld -pthread -L${KVVX_MINGW_GCC_DIR}")
endforeach()

set(CMAKE_FIND_ROOT_PATH ${KVVX_MINGW_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

find_program(KVVX_WINE NAMES wine wine64 PATHS /usr/bin /usr/lib/wine)
if(KVVX_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KVVX_WINE})
endif()
