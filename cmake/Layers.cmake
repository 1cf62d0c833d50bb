# The libraries form one direction (see ARCHITECTURE.md): platform <- {text, storage}; records
# stands on nothing; {platform, text, records} <- {backup, catalogue, setupfile}; {records, text}
# <- selections; app links them all; ui and the driver link app.
#
# `wisetup_library(NAME SOURCES... LINKS...)` makes a library whose headers are seen as "NAME/X.h"
# only by itself and by what links it: each library exports an include root of its own that holds
# just its folder, never all of src/.
#
# The configure step fails when
#  - a library links a library of ours that its declared layer does not allow,
#  - the link graph of our libraries has a cycle,
#  - a file of a library includes a header of one of our libraries that it does not link (directly
#    or through what it links), app/ headers included.
set(WISETUP_CORE_TARGETS
    platform text storage records backup catalogue setupfile changes selections survey app cli)

function(wisetup_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  file(MAKE_DIRECTORY ${root})
  if(NOT EXISTS ${root}/${name})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${name} SYMBOLIC)
  endif()
  target_include_directories(${name} PUBLIC ${root})
  if(ARG_LINKS)
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
  endif()
endfunction()

# The libraries of ours that `target` links directly.
function(_wisetup_core_links target out)
  get_target_property(libs ${target} LINK_LIBRARIES)
  get_target_property(ilibs ${target} INTERFACE_LINK_LIBRARIES)
  set(found)
  foreach(lib IN LISTS libs ilibs)
    if(lib IN_LIST WISETUP_CORE_TARGETS)
      list(APPEND found ${lib})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES found)
  set(${out} ${found} PARENT_SCOPE)
endfunction()

# Every library of ours that `target` reaches through its links.
function(_wisetup_closure target out)
  set(seen)
  set(todo ${target})
  while(todo)
    list(POP_FRONT todo current)
    _wisetup_core_links(${current} links)
    foreach(lib IN LISTS links)
      if(NOT lib IN_LIST seen)
        list(APPEND seen ${lib})
        list(APPEND todo ${lib})
      endif()
    endforeach()
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

# `wisetup_assert_layer(TARGET ALLOWED...)`: TARGET may link only ALLOWED among our libraries, and
# may include headers only of itself and of what it links.
function(wisetup_assert_layer target)
  set(allowed ${ARGN})
  _wisetup_core_links(${target} links)
  foreach(lib IN LISTS links)
    if(NOT lib IN_LIST allowed)
      message(FATAL_ERROR "${target} links ${lib}; it may only link: ${allowed}")
    endif()
  endforeach()
  _wisetup_closure(${target} reach)
  list(APPEND reach ${target})
  get_target_property(folder ${target} SOURCE_DIR)
  file(GLOB_RECURSE files ${folder}/*.h ${folder}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${file} includes REGEX "^#include \"[a-z-]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^#include \"([a-z-]+)/.*" "\\1" lib "${line}")
      if(lib IN_LIST WISETUP_CORE_TARGETS AND NOT lib IN_LIST reach)
        message(FATAL_ERROR "${file} includes ${lib}/ but ${target} does not link ${lib}")
      endif()
    endforeach()
  endforeach()
endfunction()

# Depth-first walk of the link graph from `target`; `path` is the chain that led to it.
function(_wisetup_walk target path)
  if(target IN_LIST path)
    list(APPEND path ${target})
    list(JOIN path " -> " chain)
    message(FATAL_ERROR "Library cycle: ${chain}")
  endif()
  list(APPEND path ${target})
  _wisetup_core_links(${target} links)
  foreach(lib IN LISTS links)
    _wisetup_walk(${lib} "${path}")
  endforeach()
endfunction()

function(wisetup_assert_acyclic)
  foreach(target IN LISTS WISETUP_CORE_TARGETS)
    _wisetup_walk(${target} "")
  endforeach()
endfunction()
