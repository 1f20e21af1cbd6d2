# The boot payload: make-payload makes the files, a generated header gives the catalogue their
# sizes, and on Windows a generated resource script embeds them. The exe links tovak_payload and
# the object library tovak_payload_resources (objects: the linker keeps resources nothing uses).
include(${CMAKE_SOURCE_DIR}/payload/payload_files.cmake)
set(PAYLOAD_DIR ${CMAKE_BINARY_DIR}/payload)
set(PAYLOAD_GENERATED_DIR ${CMAKE_BINARY_DIR}/payload-generated)
list(TRANSFORM PAYLOAD_NAMES PREPEND ${PAYLOAD_DIR}/ OUTPUT_VARIABLE PAYLOAD_FILES)

set(TOVAK_VENDOR_DIR "$ENV{TOVAK_VENDOR_DIR}" CACHE PATH
    "Folder with the boot files that no Debian package has; each one missing becomes a stand-in")

# What the files are made from: the script and its sources beside it, and the vendor's files.
file(GLOB_RECURSE payload_inputs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/payload/*)
list(FILTER payload_inputs EXCLUDE REGEX "\\.(cpp|h|md|cmake)$")
set(make_payload ${CMAKE_SOURCE_DIR}/payload/make-payload ${PAYLOAD_DIR})
if(TOVAK_VENDOR_DIR)
  file(GLOB_RECURSE vendor_files CONFIGURE_DEPENDS ${TOVAK_VENDOR_DIR}/*)
  list(APPEND payload_inputs ${vendor_files})
  set(make_payload ${CMAKE_COMMAND} -E env TOVAK_VENDOR_DIR=${TOVAK_VENDOR_DIR} ${make_payload})
endif()

# One step, run when an input changed. Unchanged files keep their dates (make-payload and the
# generator leave them alone), so that only what really changed is rebuilt.
set(payload_stamp ${CMAKE_BINARY_DIR}/payload.stamp)
add_custom_command(
  OUTPUT ${payload_stamp}
  BYPRODUCTS ${PAYLOAD_FILES} ${PAYLOAD_DIR}/standins.txt ${PAYLOAD_DIR}/token-offset.txt
             ${PAYLOAD_GENERATED_DIR}/payload_embedded.h ${PAYLOAD_GENERATED_DIR}/payload_files.rc
  COMMAND ${make_payload}
  COMMAND ${CMAKE_COMMAND} -DPAYLOAD_DIR=${PAYLOAD_DIR} -DOUT_DIR=${PAYLOAD_GENERATED_DIR}
          -P ${CMAKE_SOURCE_DIR}/payload/embed-payload.cmake
  COMMAND ${CMAKE_COMMAND} -E touch ${payload_stamp}
  DEPENDS ${payload_inputs} ${CMAKE_SOURCE_DIR}/payload/embed-payload.cmake
          ${CMAKE_SOURCE_DIR}/payload/payload_files.cmake
  COMMENT "Making the boot payload"
  VERBATIM)
add_custom_target(tovak_payload_files DEPENDS ${payload_stamp})

# The catalogue and the deployment: portable, over the seam.
add_library(tovak_payload STATIC
  ${CMAKE_SOURCE_DIR}/payload/payload_catalogue.cpp
  ${CMAKE_SOURCE_DIR}/payload/payload_deployment.cpp)
target_include_directories(tovak_payload PRIVATE ${PAYLOAD_GENERATED_DIR})
target_link_libraries(tovak_payload PUBLIC tovak_core)
add_dependencies(tovak_payload tovak_payload_files)

if(WIN32)
  add_library(tovak_payload_resources OBJECT ${PAYLOAD_GENERATED_DIR}/payload_files.rc)
  add_dependencies(tovak_payload_resources tovak_payload_files)
  # windres reads the files the script names; make does not know them without this.
  set_source_files_properties(${PAYLOAD_GENERATED_DIR}/payload_files.rc PROPERTIES
                              OBJECT_DEPENDS "${PAYLOAD_FILES}")
endif()
