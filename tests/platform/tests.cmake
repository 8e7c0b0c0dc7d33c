kvvx_add_test(NAME core_tests PORTABLE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/string_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/collections_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/archive_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/time_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/object_test.cpp
)
