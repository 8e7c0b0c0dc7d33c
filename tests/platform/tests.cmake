kvvx_add_test(NAME core_tests PORTABLE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/string_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/collections_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/archive_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/time_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/object_test.cpp
)

# libFuzzer target for CArchive loading (native clang builds with KVVX_FUZZ=ON):
#   ./build/fuzz/bin/fuzz_archive -max_total_time=60
if(KVVX_FUZZ AND NOT KVVX_WINDOWS)
  add_executable(fuzz_archive ${CMAKE_CURRENT_LIST_DIR}/fuzz_archive.cpp)
  target_link_libraries(fuzz_archive PRIVATE ${KVVX_LIB})
  target_compile_options(fuzz_archive PRIVATE -fsanitize=fuzzer)
  target_link_options(fuzz_archive PRIVATE -fsanitize=fuzzer)
endif()
