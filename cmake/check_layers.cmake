# Checks that the code depends one way: a file of a runtime layer may include headers of its own layer and of
# the layers below it, never of a layer above; qlimage uses only the image layer (and the entry-point
# lists); the application (app/), the appearance plug-in (plugin-appearance/) and the SDK (sdk/) include
# only the SDK's "quillet/..." headers, system headers and their own files. Every spelling is read: quotes or
# angle brackets, a path through "../", a leading "runtime/". Run as a script:
#   cmake -DROOT=<source tree> -P cmake/check_layers.cmake
# It prints the include graph between layers and fails, naming each file and line, on an include that runs
# the wrong way.

cmake_policy(VERSION 3.20)

# Lowest first.
set(layers platform image values objects containers files ui app plugins start)

if(NOT ROOT)
  message(FATAL_ERROR "check_layers: set ROOT to the source tree (-DROOT=...)")
endif()
cmake_path(ABSOLUTE_PATH ROOT NORMALIZE OUTPUT_VARIABLE root)
string(REGEX REPLACE "/$" "" root "${root}")

set(violations 0)
set(graph "")

# The file an include names, as a path below the root ("runtime/ui/pane.h", "sdk/quillet/types.h",
# "app/src/cloze.h"), or "" for a header outside the tree (the system's, or a tool's own search path).
function(included_path source delimiter name out)
  get_filename_component(folder "${source}" DIRECTORY)
  string(REGEX MATCH "^[^/]+" first "${name}")
  set(path "")
  if(name MATCHES "^runtime/")
    set(path "${root}/${name}")
  elseif(delimiter STREQUAL "\"" AND (name MATCHES "^\\.\\.?/" OR EXISTS "${folder}/${name}"))
    set(path "${folder}/${name}")
  elseif(first IN_LIST layers)
    set(path "${root}/runtime/${name}")
  elseif(name MATCHES "^quillet(/|\\.h$)")
    set(path "${root}/sdk/${name}")
  elseif(first MATCHES "^(app|sdk|tests|tools|plugin-appearance)$")
    set(path "${root}/${name}")
  endif()
  if(path)
    cmake_path(NORMAL_PATH path)
    file(RELATIVE_PATH path "${root}" "${path}")
    if(path MATCHES "^\\.\\./")
      set(path "")
    endif()
  endif()
  set(${out} "${path}" PARENT_SCOPE)
endfunction()

function(refuse shown line why)
  string(STRIP "${line}" line)
  message(SEND_ERROR "${shown}: ${line}: ${why}")
  math(EXPR count "${violations} + 1")
  set(violations ${count} PARENT_SCOPE)
endfunction()

# Checks every include of the files matched by the globs against `kind`: a layer name, "qlimage", or a
# component's folder ("app/", "plugin-appearance/", "sdk/") that may include only the SDK and itself.
macro(check_files kind)
  file(GLOB_RECURSE sources ${ARGN})
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    file(RELATIVE_PATH shown "${root}" "${source}")
    foreach(line IN LISTS lines)
      if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]+)[>\"]")
        continue()
      endif()
      included_path("${source}" "${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}" target)
      set(target_layer "")
      if(target MATCHES "^runtime/([^/]+)/")
        set(target_layer "${CMAKE_MATCH_1}")
      endif()
      if(target STREQUAL "" OR target MATCHES "^sdk/")
        continue()
      endif()
      if("${kind}" IN_LIST layers)
        list(FIND layers ${kind} rank)
        list(FIND layers "${target_layer}" target_rank)
        if(target_rank LESS 0)
          refuse("${shown}" "${line}" "the ${kind} layer may include only the runtime's layers and the SDK, not ${target}.")
        elseif(target_rank GREATER rank)
          refuse("${shown}" "${line}" "the ${kind} layer may not include the ${target_layer} layer, which lies above it (order, lowest first: ${layers}). Move the code to the layer that owns it, or let the higher layer hand the lower one what it needs.")
        elseif(NOT target_layer STREQUAL "${kind}")
          list(APPEND graph "${kind} -> ${target_layer}")
        endif()
      elseif("${kind}" STREQUAL "qlimage")
        if(target_layer AND NOT target_layer STREQUAL "image" AND NOT target MATCHES "_entry_points\\.inc$")
          refuse("${shown}" "${line}" "qlimage may use only the image layer of the runtime (and the entry-point lists), not ${target}.")
        elseif(NOT target_layer AND NOT target MATCHES "^tools/")
          refuse("${shown}" "${line}" "qlimage may use only the image layer, the SDK and the tools, not ${target}.")
        endif()
      elseif(NOT target MATCHES "^${kind}")
        refuse("${shown}" "${line}" "${kind} may include only the SDK's quillet/... headers, system headers and its own files, not ${target}; reach the runtime through the SDK's entry points.")
      endif()
    endforeach()
  endforeach()
endmacro()

foreach(layer IN LISTS layers)
  check_files(${layer} "${root}/runtime/${layer}/*.cpp" "${root}/runtime/${layer}/*.h"
              "${root}/runtime/${layer}/*.inc" "${root}/runtime/${layer}/*.S")
endforeach()
check_files(qlimage "${root}/tools/qlimage/*.cpp" "${root}/tools/qlimage/*.h")
foreach(component app plugin-appearance sdk)
  check_files(${component}/ "${root}/${component}/*.cpp" "${root}/${component}/*.c" "${root}/${component}/*.h"
              "${root}/${component}/*.inc")
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
