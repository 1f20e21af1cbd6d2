# The fuzz targets: one libFuzzer program per reader of outside input, each driving the reader
# through the simulated Windows where it reads files. A build of its own (tools/fuzz): clang, the
# libraries compiled with -fsanitize=fuzzer-no-link besides the host build's sanitizers, and
# neither the payload nor the tests, which the targets do not need.
set(FUZZ_DIR ${CMAKE_SOURCE_DIR}/tests/fuzz)
add_library(tovak_fuzz_support STATIC ${FUZZ_DIR}/fuzz_support.cpp)
target_link_libraries(tovak_fuzz_support PUBLIC tovak_cli tovak_gui tovak_job tovak_disks tovak_sim)

set(TOVAK_FUZZ_TARGETS ini_text boot_ini job_record pending_job command_line image_path
                       partition_map)
foreach(name ${TOVAK_FUZZ_TARGETS})
  add_executable(fuzz_${name} ${FUZZ_DIR}/${name}_fuzz.cpp)
  target_link_libraries(fuzz_${name} PRIVATE tovak_fuzz_support)
  target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
endforeach()
