# Files of platform/: the window framework over Win32, built only into the DLL.
# The portable core it stands on lives in platform/core/.
list(APPEND KVVX_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DllMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExceptionReport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ModuleFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Wnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Gdi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameWnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FrameDocking.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ControlBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MiniFrameWnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DockContext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BarState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinApp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ModalUI.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImageList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StdControls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListCtrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RichEditCtrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataExchange.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OleDataTransfer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrintDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/View.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TabCtrl.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SplitterWnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/kvVXComBase.rc
)
