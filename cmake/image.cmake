# ql_add_image(NAME SOURCES src... [PROJECT file.toml] [ENTRY symbol] [DEV_DIR] [RELEASE]
#              [FILES NAME=PATH...] [DEPENDS file-or-target...])
# Compiles the sources as freestanding application code, combines them with `ld -r`, links them into an
# application image with qlimage and attaches it to the stripped runtime (cmake/release.cmake) as
# bin/NAME.exe; with RELEASE it is also attached to the stripped runtime as delivered (no invariant checks)
# as bin/release/NAME.exe. With DEV_DIR the image is also written as development files into bin/NAME-dev/. FILES hands
# build outputs to the project description's "@NAME" paths (`qlimage link --file NAME=PATH`); PATH may be a
# generator expression, and a missing or empty one stops the link with an error naming NAME. DEPENDS lists
# what the link waits for.
if(NOT QL_SHIPPED_RUNTIME)
  message(FATAL_ERROR "Include cmake/release.cmake first: it makes the runtime that images are attached to")
endif()
if(NOT QLIMAGE)
  message(FATAL_ERROR "Set QLIMAGE to the host build's qlimage (make does: -DQLIMAGE=build/host/bin/qlimage)")
endif()

set(QL_APP_COMPILE_OPTIONS
  -O2 -ffreestanding $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions> $<$<COMPILE_LANGUAGE:CXX>:-fno-rtti>
  -fno-asynchronous-unwind-tables -fno-omit-frame-pointer
  -fno-optimize-sibling-calls -mno-stack-arg-probe -fno-stack-protector -fno-tree-loop-distribute-patterns
  -Wall -Wextra -Werror)
if(QL_TARGET STREQUAL "win64")
  list(APPEND QL_APP_COMPILE_OPTIONS -mcmodel=small)
endif()

function(ql_add_image name)
  cmake_parse_arguments(arg "DEV_DIR;RELEASE" "PROJECT;ENTRY" "SOURCES;FILES;DEPENDS" ${ARGN})
  set(objects ${name}_code)
  add_library(${objects} OBJECT ${arg_SOURCES} ${PROJECT_SOURCE_DIR}/sdk/support/memory.c)
  target_include_directories(${objects} PRIVATE ${PROJECT_SOURCE_DIR}/sdk)
  target_compile_options(${objects} PRIVATE ${QL_APP_COMPILE_OPTIONS})
  set_target_properties(${objects} PROPERTIES CXX_STANDARD 20)

  set(work ${CMAKE_CURRENT_BINARY_DIR}/${name})
  set(combined ${work}/${name}.o)
  set(image ${work}/${name}.img)
  set(program ${CMAKE_BINARY_DIR}/bin/${name}.exe)
  set(link_args)
  if(arg_PROJECT)
    list(APPEND link_args --project ${arg_PROJECT})
  endif()
  if(arg_ENTRY)
    list(APPEND link_args --entry ${arg_ENTRY})
  endif()
  set(file_checks)
  foreach(file IN LISTS arg_FILES)
    if(NOT file MATCHES "^([A-Za-z0-9_]+)=(.*)$")
      message(FATAL_ERROR "ql_add_image(${name}): FILES entry \"${file}\" is not NAME=PATH")
    endif()
    list(APPEND link_args --file ${file})
    list(APPEND file_checks
      COMMAND ${CMAKE_COMMAND} "-DWHAT=The file for @${CMAKE_MATCH_1} of the image ${name}"
              "-DPATH=${CMAKE_MATCH_2}" "-DHINT=The target that builds it must be part of this build tree."
              -P ${PROJECT_SOURCE_DIR}/cmake/require_file.cmake)
  endforeach()

  add_custom_command(OUTPUT ${combined}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${work}
    COMMAND ${QL_TRIPLE}-ld -r -o ${combined} $<TARGET_OBJECTS:${objects}>
    DEPENDS ${objects} $<TARGET_OBJECTS:${objects}>
    COMMAND_EXPAND_LISTS
    COMMENT "Combining the code of ${name}")
  add_custom_command(OUTPUT ${image}
    ${file_checks}
    COMMAND ${QLIMAGE} link ${link_args} -o ${image} ${combined}
    DEPENDS ${combined} ${arg_PROJECT} ${QLIMAGE} ${arg_DEPENDS}
    COMMAND_EXPAND_LISTS VERBATIM
    COMMENT "Linking the application image ${name}.img")
  set(outputs ${program})
  add_custom_command(OUTPUT ${program}
    COMMAND ${QLIMAGE} attach --runtime ${QL_SHIPPED_RUNTIME} --image ${image} -o ${program}
    DEPENDS ${image} ${QL_SHIPPED_RUNTIME} loquat_runtime_stripped
    COMMENT "Attaching ${name}.img to the runtime")
  if(arg_RELEASE)
    set(release ${CMAKE_BINARY_DIR}/bin/release/${name}.exe)
    add_custom_command(OUTPUT ${release}
      COMMAND ${QLIMAGE} attach --runtime ${QL_RELEASE_RUNTIME} --image ${image} -o ${release}
      DEPENDS ${image} ${QL_RELEASE_RUNTIME} loquat_release_runtime_stripped
      COMMENT "Attaching ${name}.img to the runtime as delivered")
    list(APPEND outputs ${release})
  endif()
  if(arg_DEV_DIR)
    set(dev_dir ${CMAKE_BINARY_DIR}/bin/${name}-dev)
    add_custom_command(OUTPUT ${dev_dir}/code1.dat
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dev_dir}
      COMMAND ${QLIMAGE} attach --image ${image} --dev-dir ${dev_dir}
      DEPENDS ${image}
      COMMENT "Writing ${name} as development files")
    list(APPEND outputs ${dev_dir}/code1.dat)
  endif()
  add_custom_target(${name} ALL DEPENDS ${outputs})
endfunction()
