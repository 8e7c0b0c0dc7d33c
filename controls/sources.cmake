# Files of controls/. Portable files build everywhere (and natively under the
# sanitizers); Win32 files only into the DLL.
list(APPEND KVVX_PORTABLE_SOURCES
)
list(APPEND KVVX_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SortListCtrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GfxInEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PropertyList.cpp
)
