# Create/use/destroy cycles for every control under Wine: nothing may be
# left behind (windows, GDI objects, heap). Each control's cycles live in a
# file of their own named *_leaks.cpp in this folder.
file(GLOB KVVX_LEAK_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_leaks.cpp)
kvvx_add_test(NAME leak_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/LeakHarness.cpp
  ${KVVX_LEAK_SOURCES}
  ${CMAKE_CURRENT_LIST_DIR}/leak_tests.rc
)
# A thousand cycles of every control take a few minutes on a loaded machine.
if(TEST leak_tests)
  set_tests_properties(leak_tests PROPERTIES TIMEOUT 2400)
endif()
