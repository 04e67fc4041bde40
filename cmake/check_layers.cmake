# Checks that the runtime's layers depend one way: a file of a layer may include headers of its own layer and
# of the layers below it, never of a layer above. Run as a script:
#   cmake -DROOT=<source tree> -P cmake/check_layers.cmake
# It prints the include graph between layers and fails, naming each file and line, on an include that runs
# the wrong way.

# Lowest first. The SDK's headers ("quillet/...") may be included everywhere.
set(layers platform image values objects containers files ui app plugins start)

if(NOT ROOT)
  message(FATAL_ERROR "check_layers: set ROOT to the source tree (-DROOT=...)")
endif()

list(LENGTH layers layer_count)
set(violations 0)
set(graph "")
foreach(layer IN LISTS layers)
  list(FIND layers ${layer} rank)
  file(GLOB_RECURSE sources "${ROOT}/runtime/${layer}/*.cpp" "${ROOT}/runtime/${layer}/*.h"
       "${ROOT}/runtime/${layer}/*.inc")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
    file(RELATIVE_PATH shown "${ROOT}" "${source}")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([^\"/]+)/.*" "\\1" target "${line}")
      if(target STREQUAL line)
        continue()
      endif()
      list(FIND layers ${target} target_rank)
      if(target_rank LESS 0)
        continue()
      endif()
      if(NOT target STREQUAL layer)
        list(APPEND graph "${layer} -> ${target}")
      endif()
      if(target_rank GREATER rank)
        string(STRIP "${line}" line)
        message(SEND_ERROR "${shown}: ${line}: the ${layer} layer may not include the ${target} layer, which "
                           "lies above it (order, lowest first: ${layers}). Move the code to the layer that "
                           "owns it, or let the higher layer hand the lower one what it needs.")
        math(EXPR violations "${violations} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()

# The image tool shares only the image format with the runtime.
file(GLOB_RECURSE tool_sources "${ROOT}/tools/qlimage/*.cpp" "${ROOT}/tools/qlimage/*.h")
foreach(source IN LISTS tool_sources)
  file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
  file(RELATIVE_PATH shown "${ROOT}" "${source}")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([^\"/]+)/.*" "\\1" target "${line}")
    list(FIND layers "${target}" target_rank)
    if(target_rank GREATER_EQUAL 0 AND NOT target STREQUAL "image" AND NOT line MATCHES "_entry_points\\.inc\"")
      string(STRIP "${line}" line)
      message(SEND_ERROR "${shown}: ${line}: qlimage may use only the image layer of the runtime.")
      math(EXPR violations "${violations} + 1")
    endif()
  endforeach()
endforeach()

# The graph, as "layer -> layer: number of includes".
list(SORT graph)
set(summary "")
set(previous "")
set(count 0)
foreach(edge IN LISTS graph ITEMS "")
  if(edge STREQUAL previous)
    math(EXPR count "${count} + 1")
  else()
    if(previous)
      string(APPEND summary "  ${previous}: ${count}\n")
    endif()
    set(previous "${edge}")
    set(count 1)
  endif()
endforeach()
message(STATUS "Includes between the runtime's layers (order, lowest first: ${layers}):\n${summary}")
if(violations GREATER 0)
  message(FATAL_ERROR "check_layers: ${violations} include(s) run against the layer order")
endif()
