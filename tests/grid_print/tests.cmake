# Grid printing through the real print path: the print dialog, a printer
# context on a CUPS PDF printer (started by the test command, which names
# its output folder in KVVX_PDF_DIR) and the PDF read back.
kvvx_add_test(NAME grid_print_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/grid_print_test.cpp
)
if(KVVX_WINDOWS)
  # The same program once more with CUPS out of reach: no printer at all.
  add_test(NAME grid_print_no_printer COMMAND grid_print_tests --gtest_filter=GridPrintNoPrinter.*)
  set_tests_properties(grid_print_no_printer PROPERTIES TIMEOUT 600
    ENVIRONMENT "CUPS_SERVER=${CMAKE_BINARY_DIR}/no-cups-here.sock;KVVX_PDF_DIR=;KVVX_EXPECT_NO_PRINTER=1")
endif()
