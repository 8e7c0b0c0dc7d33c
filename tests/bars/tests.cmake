# Docking: control bars, dock bars, floating frames and the sizing bars,
# on real frame windows under Wine.
kvvx_add_test(NAME bars_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/bars_layout_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bars_mouse_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bars_state_test.cpp
)
