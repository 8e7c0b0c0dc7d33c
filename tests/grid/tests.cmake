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
