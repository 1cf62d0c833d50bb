# The libraries form one direction: platform <- records <- {backup, catalogue}; platform <- setupfile
# (which takes the counts from records); app links them all; ui and the driver link app.
# `wisetup_assert_layers()` fails the configure step when
#  - a library links a library of ours that its declared layer does not allow (a lower library
#    linking a higher one),
#  - the link graph of our libraries has a cycle,
#  - a file in the folder of a library below app/ includes an app/ header.
set(WISETUP_CORE_TARGETS platform records backup catalogue setupfile changes app)

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

# `wisetup_assert_layer(TARGET ALLOWED...)`: TARGET may link only ALLOWED among our libraries; a
# library other than app may include nothing of app/.
function(wisetup_assert_layer target)
  set(allowed ${ARGN})
  _wisetup_core_links(${target} links)
  foreach(lib IN LISTS links)
    if(NOT lib IN_LIST allowed)
      message(FATAL_ERROR "${target} links ${lib}; it may only link: ${allowed}")
    endif()
  endforeach()
  if(target STREQUAL "app")
    return()
  endif()
  get_target_property(folder ${target} SOURCE_DIR)
  file(GLOB_RECURSE files ${folder}/*.h ${folder}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${file} app_includes REGEX "#include \"app/")
    if(app_includes)
      message(FATAL_ERROR "${file} includes app/; only app/ and above may")
    endif()
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
