# Files of bars/. Portable files build everywhere (and natively under the
# sanitizers); Win32 files only into the DLL.
list(APPEND KVVX_PORTABLE_SOURCES
)
list(APPEND KVVX_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SizingControlBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SizingBarTracking.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SizingControlBarG.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SizingBarState.cpp
)
