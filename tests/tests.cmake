# The 32-bit Windows build is the release exe alone: this kernel runs no 32-bit programs, so its
# tests would only be built, never run.
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  return()
endif()

# The contract suite runs against the platform of the build: the simulation on Linux, Win32 on Windows.
file(GLOB CONTRACT_CASES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/contract/*_test.cpp)
add_executable(contract_tests ${CONTRACT_CASES} ${CMAKE_SOURCE_DIR}/${CONTRACT_ENV})
target_link_libraries(contract_tests PRIVATE ${TOVAK_PLATFORM} gtest gtest_main)

if(WIN32)
  target_link_options(contract_tests PRIVATE -Wl,--subsystem,console:5.01)
  # What only the Win32 side has: the layer's conversions, pump and resources (with resources of
  # its own to read), the WMI walk, the window and its dialogs in this process, and the resources
  # of the Tovak.exe built beside it.
  set(WIN32_TEST_DIR ${CMAKE_SOURCE_DIR}/tests/win32)
  add_executable(win32_tests ${WIN32_TEST_DIR}/win32_platform_test.cpp ${WIN32_TEST_DIR}/wmi_test.cpp
                             ${WIN32_TEST_DIR}/frm_back_test.cpp ${WIN32_TEST_DIR}/frm_back_link_test.cpp
                             ${WIN32_TEST_DIR}/frm_back_image_line_test.cpp
                             ${WIN32_TEST_DIR}/image_chooser_test.cpp
                             ${WIN32_TEST_DIR}/access_list_test.cpp
                             ${WIN32_TEST_DIR}/ui_resources_test.cpp
                             ${WIN32_TEST_DIR}/test_resources.rc ${CMAKE_SOURCE_DIR}/${CONTRACT_ENV})
  target_link_libraries(win32_tests PRIVATE tovak_disks tovak_ui version gtest gtest_main)
  target_link_options(win32_tests PRIVATE -Wl,--subsystem,console:5.01)
  add_dependencies(win32_tests Tovak)
  # Run first under Wine: the tests need the code page 936 that only a working zh_CN locale gives.
  add_executable(acp_check ${CMAKE_SOURCE_DIR}/tests/wine/acp_check.cpp)
  # The payload as built: the exes' resources, and a deployment through Win32 (Wine only).
  add_executable(payload_tests ${CMAKE_SOURCE_DIR}/tests/win32/payload_test.cpp)
  target_link_libraries(payload_tests PRIVATE tovak_payload tovak_payload_resources tovak_win32
                                              gtest gtest_main)
  target_link_options(payload_tests PRIVATE -Wl,--subsystem,console:5.01)
  # The real Tovak.exe driven from another process; only the 64-bit build runs under Wine here.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    file(GLOB E2E_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.cpp)
    add_executable(e2e_tests ${E2E_SOURCES})
    target_include_directories(e2e_tests PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(e2e_tests PRIVATE gtest gtest_main gdi32)
    add_dependencies(e2e_tests Tovak)
  endif()
else()
  enable_testing()
  file(GLOB UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
  add_executable(unit_tests ${UNIT_TESTS})
  target_link_libraries(unit_tests PRIVATE tovak_cli tovak_gui tovak_job tovak_disks tovak_payload tovak_sim gtest
                                           gtest_main tovak_ui_logic)
  target_compile_definitions(unit_tests PRIVATE TOVAK_PAYLOAD_DIR="${PAYLOAD_DIR}"
                                               TOVAK_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  # The sweeps over the job run one job per counted call; each kind of fault is a test of its
  # own, so that ctest runs them side by side. They allocate much and need no allocation stacks.
  add_test(NAME unit COMMAND unit_tests --gtest_filter=-Faults/*)
  foreach(fault OneCall DiskFullFrom RefusedFrom CrashAt)
    add_test(NAME job_sweep_${fault} COMMAND unit_tests --gtest_filter=Faults/*/${fault})
    set_tests_properties(job_sweep_${fault} PROPERTIES ENVIRONMENT ASAN_OPTIONS=malloc_context_size=0)
  endforeach()
  add_test(NAME contract COMMAND contract_tests)
endif()
