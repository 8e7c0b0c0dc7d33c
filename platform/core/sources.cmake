# Files of platform/core/: the portable core (strings, collections, files,
# archives, exceptions, time, run-time classes, the small-block pool and the
# Win32 type stand-ins). Plain C++ that builds everywhere, natively under the
# sanitizers and the fuzzers too; it touches no window.
list(APPEND KVVX_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Object.cpp
  ${CMAKE_CURRENT_LIST_DIR}/String.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SmallBlock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Exceptions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/File.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Time.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Archive.cpp
)
