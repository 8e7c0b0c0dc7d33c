kvvx_add_test(NAME smoke_tests PORTABLE SOURCES ${CMAKE_CURRENT_LIST_DIR}/smoke_test.cpp)
