# The contract suite runs against the platform of the build: the simulation on Linux, Win32 on Windows.
file(GLOB CONTRACT_CASES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/contract/*_test.cpp)
add_executable(contract_tests ${CONTRACT_CASES} ${CMAKE_SOURCE_DIR}/${CONTRACT_ENV})
target_link_libraries(contract_tests PRIVATE ${TOVAK_PLATFORM} gtest gtest_main)

if(WIN32)
  target_link_options(contract_tests PRIVATE -Wl,--subsystem,console:5.01)
  # What only the Win32 layer does, with resources of its own to read.
  target_sources(contract_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/win32/win32_platform_test.cpp
                                        ${CMAKE_SOURCE_DIR}/tests/win32/wmi_test.cpp
                                        ${CMAKE_SOURCE_DIR}/tests/win32/test_resources.rc)
  target_link_libraries(contract_tests PRIVATE tovak_disks)
  # The window in this process, its dialogs, and the resources of the Tovak.exe built beside it.
  target_sources(contract_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/win32/frm_back_test.cpp
                                        ${CMAKE_SOURCE_DIR}/tests/win32/frm_back_link_test.cpp
                                        ${CMAKE_SOURCE_DIR}/tests/win32/image_chooser_test.cpp
                                        ${CMAKE_SOURCE_DIR}/tests/win32/ui_resources_test.cpp)
  target_link_libraries(contract_tests PRIVATE tovak_ui version)
  add_dependencies(contract_tests Tovak)
  # Run first under Wine: the tests need the code page 936 that only a working zh_CN locale gives.
  add_executable(acp_check ${CMAKE_SOURCE_DIR}/tests/wine/acp_check.cpp)
  # The payload as built: the exes' resources, and a deployment through Win32 (Wine only).
  add_executable(payload_tests ${CMAKE_SOURCE_DIR}/tests/win32/payload_test.cpp)
  target_link_libraries(payload_tests PRIVATE tovak_payload tovak_payload_resources tovak_win32
                                              gtest gtest_main)
  target_link_options(payload_tests PRIVATE -Wl,--subsystem,console:5.01)
else()
  enable_testing()
  file(GLOB UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
  add_executable(unit_tests ${UNIT_TESTS})
  target_link_libraries(unit_tests PRIVATE tovak_job tovak_disks tovak_payload tovak_sim gtest
                                           gtest_main tovak_ui_logic)
  target_compile_definitions(unit_tests PRIVATE TOVAK_PAYLOAD_DIR="${PAYLOAD_DIR}")
  add_test(NAME unit COMMAND unit_tests)
  add_test(NAME contract COMMAND contract_tests)
endif()
