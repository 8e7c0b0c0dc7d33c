# The dialog and frame windows under Wine: the progress note, the tab window,
# views and splitters, the expanding dialog; real windows and messages.
kvvx_add_test(NAME dialogs_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/process_note_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tab_window_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/splitter_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/expanding_dialog_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogs_tests.rc
)
