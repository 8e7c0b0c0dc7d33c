# The window framework under Wine: real windows, real messages, real GDI,
# the real registry and real files.
kvvx_add_test(NAME framework_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/wnd_binding_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/profile_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gdi_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/modal_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/leak_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shared_file_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/framework_tests.rc
)
