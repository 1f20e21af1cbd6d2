# The bench's floor for the start, built by bench/run only: Frm_Back's controls in a window of
# their own, made by the window's own library with Tovak.exe's compiler flags and manifest.
# Its press of OK is timed by Tovak.exe's own bench timer.
if(WIN32)
  add_executable(controls_window WIN32 EXCLUDE_FROM_ALL
                 ${CMAKE_SOURCE_DIR}/bench/controls_window.cpp
                 ${CMAKE_SOURCE_DIR}/app/bench_timer.cpp
                 ${CMAKE_SOURCE_DIR}/bench/controls_window.rc)
  target_include_directories(controls_window PRIVATE ${UI_ART_DIR})
  set_source_files_properties(${CMAKE_SOURCE_DIR}/bench/controls_window.rc PROPERTIES
                              OBJECT_DEPENDS ${UI_ART_DIR}/tovak.manifest)
  target_link_libraries(controls_window PRIVATE tovak_ui comctl32)
  target_link_options(controls_window PRIVATE -Wl,--subsystem,windows:5.01)
endif()
