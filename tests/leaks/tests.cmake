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
# On a display without a window manager, Wine waits about two seconds for
# the window manager at every shown top-level window that goes away
# (floating frames, notes, pop-ups): a thousand cycles of them would take
# an hour. Wine keeps such windows to itself, without waiting, when told so
# for a program; the cycles' program is told so before it runs.
if(TEST leak_tests AND CMAKE_CROSSCOMPILING_EMULATOR)
  add_test(NAME leak_tests_unmanaged_windows COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} reg add
    "HKCU\\Software\\Wine\\AppDefaults\\leak_tests.exe\\X11 Driver" /v Managed /t REG_SZ /d N /f)
  set_tests_properties(leak_tests_unmanaged_windows PROPERTIES FIXTURES_SETUP leak_windows TIMEOUT 120)
  set_tests_properties(leak_tests PROPERTIES FIXTURES_REQUIRED leak_windows)
endif()
