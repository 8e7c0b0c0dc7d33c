# libFuzzer targets, one per file reader. Native builds with clang only:
#   cmake -S . -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
#         -DCMAKE_C_COMPILER=clang -DKVVX_FUZZ=ON -DKVVX_SANITIZE=ON
#   ./build/fuzz/bin/fuzz_readtext -max_total_time=60
if(KVVX_FUZZ AND NOT KVVX_WINDOWS)
  # Coverage feedback from the library as well as from the targets.
  target_compile_options(${KVVX_LIB} PRIVATE -fsanitize=fuzzer-no-link)
  foreach(name readtext lutfile disptable fileinfo gridfile paste)
    add_executable(fuzz_${name} ${CMAKE_CURRENT_LIST_DIR}/fuzz_${name}.cpp)
    target_link_libraries(fuzz_${name} PRIVATE ${KVVX_LIB})
    target_compile_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
  endforeach()
endif()
