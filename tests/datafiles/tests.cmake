kvvx_add_test(NAME datafiles_tests PORTABLE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/readtext_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lutfile_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/disptable_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fileinfo_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/envhelpers_test.cpp
)
