# Tovak.exe: the window and the command line, the job, the payload, the drive map and the restart,
# with the window's and the payload's resources.
if(WIN32)
  add_executable(Tovak WIN32 ${CMAKE_SOURCE_DIR}/app/main.cpp
                             ${CMAKE_SOURCE_DIR}/app/bench_timer.cpp
                             ${CMAKE_SOURCE_DIR}/app/console_output.cpp
                             ${CMAKE_SOURCE_DIR}/app/silent_terminate.cpp
                             $<TARGET_OBJECTS:tovak_ui_resources>
                             $<TARGET_OBJECTS:tovak_payload_resources>)
  target_link_libraries(Tovak PRIVATE tovak_cli tovak_gui tovak_ui tovak_job tovak_payload tovak_disks
                                      tovak_win32 comctl32 delay_shell32 delay_comdlg32 delay_ole32)
  target_link_options(Tovak PRIVATE -Wl,--subsystem,windows:5.01)
  # The payload's resources on a page boundary of the file, which Wine maps rather than reads.
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_custom_command(TARGET Tovak POST_BUILD
                     COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/cmake/page-align-resources
                             $<TARGET_FILE:Tovak>
                     VERBATIM)
endif()
