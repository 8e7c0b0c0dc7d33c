# Files of grid/. Portable files build everywhere (and natively under the
# sanitizers); Win32 files only into the DLL.
list(APPEND KVVX_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/GridPasteText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridLineSplitter.cpp
)
list(APPEND KVVX_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/GridCellModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridSort.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridScroll.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridSelection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridKeyboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridMouse.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridCreate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InPlaceEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridDraw.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridPrint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TitleTip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridDropTarget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridClipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridDragDrop.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComboGridCtrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InPlaceList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GridTitleTip.cpp
)
