# The grid's data core: cell store, shape operations, sorting and search,
# text files. Runs under Wine (the grid is a window class).
kvvx_add_test(NAME grid_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/grid_shape_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_items_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_selection_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_sort_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_file_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_virtual_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_window_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_geometry_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_draw_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_edit_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_keyboard_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_mouse_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_robustness_test.cpp
)

# A seeded random-operation soak of a real grid window; ctest runs it
# briefly, KVVX_SOAK_OPS=<n> runs it as long as asked.
kvvx_add_test(NAME grid_soak SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/grid_soak_test.cpp
)

# The file format's line splitting: portable, so it also runs natively under
# the sanitizers.
kvvx_add_test(NAME grid_file_format_tests PORTABLE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/grid_linesplitter_test.cpp
)

# The splitting of pasted text: portable, so it also runs natively under the
# sanitizers.
kvvx_add_test(NAME grid_paste_text_tests PORTABLE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/grid_paste_text_test.cpp
)

# Clipboard (the real one, with the X11 side read and written by xclip) and
# drag-and-drop (real OLE, real input) between grids.
kvvx_add_test(NAME grid_transfer_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/grid_clipboard_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_dragdrop_test.cpp
)

# The grid's helper windows: the combo-column grid with its drop-down editor
# and the title tip, driven with real messages.
kvvx_add_test(NAME grid_helpers_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/grid_combo_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_titletip_test.cpp
)
