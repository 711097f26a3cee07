# Fails when a file of the core under SOURCE_DIR includes a layer above its
# own. The layers run from the values everything shares up to the mouse; a
# file may include its own layer and those below it. A top-level file of the
# core (game.h, position_change.h, ...) is a layer of its own, named by its
# stem. A folder or file that is in no layer fails too, so that a new one is
# placed on purpose. Run with cmake -DSOURCE_DIR=... -P.
set(layers
  board game_outcome levels timing engine influence rules ports io text
  game clock command_support position_change record help draw options com analysis sound flow input)

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h")
list(LENGTH sources count)
if(count EQUAL 0)
  message(FATAL_ERROR "no sources in ${SOURCE_DIR}")
endif()

# The layer of a path relative to the core: its first folder, or the stem of
# a top-level file. Sets ${out} to its place in ${layers}, -1 when none.
function(layer_of path out)
  string(FIND "${path}" "/" slash)
  if(slash EQUAL -1)
    get_filename_component(name "${path}" NAME_WE)
  else()
    string(SUBSTRING "${path}" 0 ${slash} name)
  endif()
  list(FIND layers "${name}" at)
  set(${out} ${at} PARENT_SCOPE)
endfunction()

set(found 0)
foreach(source IN LISTS sources)
  if(source MATCHES "^version/")
    continue()  # the generated version header only
  endif()
  layer_of("${source}" own)
  if(own EQUAL -1)
    message(SEND_ERROR "${source} is in no layer")
    math(EXPR found "${found} + 1")
    continue()
  endif()
  file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^#include \"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
    if(NOT EXISTS "${SOURCE_DIR}/${included}")
      continue()  # generated headers and the like
    endif()
    layer_of("${included}" theirs)
    if(theirs GREATER own)
      message(SEND_ERROR "${source} includes ${included}, a layer above its own")
      math(EXPR found "${found} + 1")
    endif()
  endforeach()
endforeach()
if(found EQUAL 0)
  message(STATUS "${count} files, every include at or below its own layer")
endif()
