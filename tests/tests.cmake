# The contract suite runs against the platform of the build: the simulation on Linux, Win32 on Windows.
file(GLOB CONTRACT_CASES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/contract/*_test.cpp)
add_executable(contract_tests ${CONTRACT_CASES} ${CMAKE_SOURCE_DIR}/${CONTRACT_ENV})
target_link_libraries(contract_tests PRIVATE ${TOVAK_PLATFORM} gtest gtest_main)

if(WIN32)
  target_link_options(contract_tests PRIVATE -Wl,--subsystem,console:5.01)
  # What only the Win32 layer does, with resources of its own to read.
  target_sources(contract_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/win32/win32_platform_test.cpp
                                        ${CMAKE_SOURCE_DIR}/tests/win32/test_resources.rc)
  # Run first under Wine: the tests need the code page 936 that only a working zh_CN locale gives.
  add_executable(acp_check ${CMAKE_SOURCE_DIR}/tests/wine/acp_check.cpp)
else()
  enable_testing()
  file(GLOB UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
  add_executable(unit_tests ${UNIT_TESTS})
  target_link_libraries(unit_tests PRIVATE tovak_job tovak_sim gtest gtest_main)
  add_test(NAME unit COMMAND unit_tests)
  add_test(NAME contract COMMAND contract_tests)
endif()
