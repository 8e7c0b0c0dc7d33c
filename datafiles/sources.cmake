# Files of datafiles/. Portable files build everywhere (and natively under the
# sanitizers); Win32 files only into the DLL.
list(APPEND KVVX_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ReadText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LutFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DispTableFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileInfoList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EnvHelpers.cpp
)
list(APPEND KVVX_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ProcessNote.cpp
)
