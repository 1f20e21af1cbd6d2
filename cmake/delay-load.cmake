# DLLs that the window does not need to open (the Browse dialogs, the link and the job's WMI need
# them) are loaded at their first call: under Wine each DLL loaded at start costs start-up time.
# Link delay_NAME instead of NAME; the start-up code's __delayLoadHelper2 comes from MinGW.
set(DELAY_LOAD_DIR ${CMAKE_BINARY_DIR}/delay-load)
file(MAKE_DIRECTORY ${DELAY_LOAD_DIR})
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(decorated ON)
else()
  set(decorated OFF)
endif()
foreach(dll shell32 comdlg32 ole32 oleaut32)
  find_library(${dll}_import_library NAMES lib${dll}.a REQUIRED)
  set(library ${DELAY_LOAD_DIR}/lib${dll}-delay.a)
  add_custom_command(
    OUTPUT ${library}
    COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${CMAKE_DLLTOOL}
            -DIMPORT_LIBRARY=${${dll}_import_library} -DDLL=${dll}.dll -DOUT=${library}
            -DDECORATED=${decorated} -P ${CMAKE_SOURCE_DIR}/cmake/make-delay-import-library.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/cmake/make-delay-import-library.cmake ${${dll}_import_library}
    VERBATIM)
  add_custom_target(delay_${dll}_library DEPENDS ${library})
  add_library(delay_${dll} INTERFACE)
  target_link_libraries(delay_${dll} INTERFACE ${library})
  add_dependencies(delay_${dll} delay_${dll}_library)
endforeach()
