# The window. Its portable helpers build everywhere and are tested on the host; the Win32 window,
# its dialogs and the resources build for Windows only.
add_library(tovak_ui_logic STATIC
  ${CMAKE_SOURCE_DIR}/ui/control_table.cpp
  ${CMAKE_SOURCE_DIR}/ui/dialog_text.cpp
  ${CMAKE_SOURCE_DIR}/ui/link_target.cpp)
target_include_directories(tovak_ui_logic PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(tovak_ui_logic PUBLIC tovak_core)

if(WIN32)
  add_library(tovak_ui STATIC
    ${CMAKE_SOURCE_DIR}/ui/child_windows.cpp
    ${CMAKE_SOURCE_DIR}/ui/file_dialog.cpp
    ${CMAKE_SOURCE_DIR}/ui/form_frame.cpp
    ${CMAKE_SOURCE_DIR}/ui/frm_back.cpp
    ${CMAKE_SOURCE_DIR}/ui/frm_back_events.cpp
    ${CMAKE_SOURCE_DIR}/ui/image_chooser.cpp)
  target_link_libraries(tovak_ui PUBLIC tovak_ui_logic tovak_gui tovak_job tovak_win32 comctl32 delay_shell32
                                        delay_comdlg32 delay_ole32 gdi32)

  # The icon group and the hand cursor, made from the pixel maps in ui/art.
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(UI_ART_DIR ${CMAKE_BINARY_DIR}/ui-art)
  set(UI_ART_FILES icon_30001.bin icon_30002.bin icon_30003.bin icon_group.bin hand_cursor.bin
                   hand_cursor_group.bin art.rc)
  list(TRANSFORM UI_ART_FILES PREPEND ${UI_ART_DIR}/)
  file(GLOB ui_art_maps CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/ui/art/*.txt)
  add_custom_command(
    OUTPUT ${UI_ART_FILES}
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/ui/art/make-art ${UI_ART_DIR}
    DEPENDS ${CMAKE_SOURCE_DIR}/ui/art/make-art ${ui_art_maps}
    COMMENT "Making the icon and the hand cursor"
    VERBATIM)

  if(CMAKE_SYSTEM_PROCESSOR MATCHES "64")
    set(TOVAK_MANIFEST_ARCH amd64)
  else()
    set(TOVAK_MANIFEST_ARCH X86)
  endif()
  configure_file(${CMAKE_SOURCE_DIR}/ui/tovak.manifest.in ${UI_ART_DIR}/tovak.manifest @ONLY)

  # Objects, so that the linker keeps resources that nothing refers to by symbol.
  add_library(tovak_ui_resources OBJECT ${CMAKE_SOURCE_DIR}/ui/tovak.rc)
  target_include_directories(tovak_ui_resources PRIVATE ${CMAKE_SOURCE_DIR} ${UI_ART_DIR})
  set_source_files_properties(${CMAKE_SOURCE_DIR}/ui/tovak.rc PROPERTIES
                              OBJECT_DEPENDS "${UI_ART_FILES};${UI_ART_DIR}/tovak.manifest")
endif()
