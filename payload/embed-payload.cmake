# Run by the build (cmake -P) once the payload files are made: writes the resource script that
# embeds them and the header that gives the catalogue their sizes, whether any is a stand-in, and
# where qelv.img carries the job's token.
# Takes PAYLOAD_DIR (the made files and standins.txt) and OUT_DIR.
cmake_minimum_required(VERSION 3.20)
include(${CMAKE_CURRENT_LIST_DIR}/payload_files.cmake)

# A file rewritten with the same text would still rebuild what depends on it.
function(write_if_changed path text)
  if(EXISTS ${path})
    file(READ ${path} old)
    if(old STREQUAL text)
      return()
    endif()
  endif()
  file(WRITE ${path} "${text}")
endfunction()

set(rc "// Generated from the payload files of this build: type CUSTOM, Chinese (PRC).\n")
string(APPEND rc "LANGUAGE 0x04, 0x02\n")
set(rows "")
set(id ${PAYLOAD_FIRST_ID})
foreach(name IN LISTS PAYLOAD_NAMES)
  set(path ${PAYLOAD_DIR}/${name})
  if(NOT EXISTS ${path})
    message(FATAL_ERROR "payload file missing: ${path}")
  endif()
  file(SIZE ${path} size)
  # The catalogue's sizes are 32-bit signed.
  if(size GREATER 2147483647)
    message(FATAL_ERROR "payload file too large: ${path}")
  endif()
  string(APPEND rc "${id} CUSTOM \"${path}\"\n")
  string(APPEND rows "    {${id}, \"${name}\", ${size}},\n")
  math(EXPR id "${id} + 1")
endforeach()

file(STRINGS ${PAYLOAD_DIR}/token-offset.txt token_offset LIMIT_COUNT 1)
if(NOT token_offset MATCHES "^[0-9]+$")
  message(FATAL_ERROR "no token offset in ${PAYLOAD_DIR}/token-offset.txt")
endif()

file(STRINGS ${PAYLOAD_DIR}/standins.txt standins REGEX "[^ \t\r]")
if(standins)
  set(has_standins true)
else()
  set(has_standins false)
endif()

write_if_changed(${OUT_DIR}/payload_files.rc "${rc}")
write_if_changed(${OUT_DIR}/payload_embedded.h
"// Generated from the payload files of this build: what the executable embeds.
#pragma once

#include <cstdint>

namespace tovak::embedded {

struct File {
  int id;
  const char* name;
  std::int32_t size;
};

constexpr File kFiles[] = {
${rows}};

constexpr bool kHasStandIns = ${has_standins};

// Where in qelv.img the runner's token placeholder lies.
constexpr std::int32_t kTokenOffset = ${token_offset};

}  // namespace tovak::embedded
")
