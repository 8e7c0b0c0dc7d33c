# The list, property and edit controls under Wine: real common controls,
# real messages, pixels read back, the real registry and INI files.
kvvx_add_test(NAME controls_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/sortlist_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/inedit_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/proplist_test.cpp
)
