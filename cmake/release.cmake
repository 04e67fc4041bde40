# What a learner downloads: the version the About screen shows, the program's icon and version resources, the
# runtimes without their debug information (kept apart in loquat.exe.debug files) that images are attached to,
# the check that it imports only system DLLs, and the `dist` target writing dist/loquat-VERSION-TARGET.zip.
# Included by the Windows trees after runtime/ and before cmake/image.cmake, which takes QL_SHIPPED_RUNTIME.

# The version is the one the title picture draws; message boxes show it in the settings' mdi_title too.
set(about_script ${PROJECT_SOURCE_DIR}/app/pictures/draw-pictures.sh)
set(project_file ${PROJECT_SOURCE_DIR}/app/loquat.toml)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${about_script} ${project_file})
file(STRINGS ${about_script} about_line REGEX "\"version [0-9]+\\.[0-9]+\"")
if(NOT about_line MATCHES "\"version ([0-9]+)\\.([0-9]+)\"")
  message(FATAL_ERROR "release: ${about_script} draws no \"version X.Y\" on the title picture")
endif()
set(QL_LOQUAT_VERSION ${CMAKE_MATCH_1}.${CMAKE_MATCH_2})
set(QL_LOQUAT_VERSION_COMMAS ${CMAKE_MATCH_1},${CMAKE_MATCH_2},0,0)
file(STRINGS ${project_file} title_line REGEX "^mdi_title = ")
if(NOT title_line STREQUAL "mdi_title = \"Loquat ${QL_LOQUAT_VERSION}\"")
  message(FATAL_ERROR "release: the title picture says version ${QL_LOQUAT_VERSION} but app/loquat.toml has "
                      "${title_line}; change both together")
endif()

# The icon, drawn from the pictures' motif, and the resources that carry it and the version. They join the
# runtime's own resources (the PICKLE resource that locates the image).
set(release_dir ${CMAKE_BINARY_DIR}/release)
set(QL_ICON_FILE ${release_dir}/loquat.ico)
find_program(QL_CONVERT convert REQUIRED)
add_custom_command(OUTPUT ${QL_ICON_FILE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${release_dir}
  COMMAND ${PROJECT_SOURCE_DIR}/app/pictures/draw-icon.sh ${QL_ICON_FILE}
  DEPENDS ${PROJECT_SOURCE_DIR}/app/pictures/draw-icon.sh ${PROJECT_SOURCE_DIR}/app/pictures/loquat-motif.sh
  VERBATIM
  COMMENT "Drawing the program's icon")
add_custom_target(loquat_icon DEPENDS ${QL_ICON_FILE})
set(QL_VERSION_RC ${release_dir}/loquat_version.rc)
configure_file(${PROJECT_SOURCE_DIR}/app/release/loquat_version.rc.in ${QL_VERSION_RC} @ONLY)
set_source_files_properties(${QL_VERSION_RC} DIRECTORY ${PROJECT_SOURCE_DIR}/runtime
                            PROPERTIES OBJECT_DEPENDS ${QL_ICON_FILE})

# Stripping rewrites the file and drops whatever lies behind its last section, so it comes before qlimage
# attaches an image. The symbols stay readable from SYMBOLS, which the debug link names; --strip-all also
# drops the COFF symbol table, which that file keeps. The import check reads the runtime as linked, whose
# symbols show mingw-w64's delay-import descriptors. Both runtimes are stripped: the checked one that the
# tests' programs are attached to, and the one as delivered, behind bin/release/.
function(ql_strip_runtime target stripped symbols)
  get_filename_component(folder ${stripped} DIRECTORY)
  add_custom_command(OUTPUT ${stripped} ${symbols}
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${QL_TRIPLE}-objdump -DPROGRAM=$<TARGET_FILE:${target}>
            -P ${PROJECT_SOURCE_DIR}/cmake/check_imports.cmake
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${QL_TRIPLE}-objcopy --only-keep-debug $<TARGET_FILE:${target}> ${symbols}
    COMMAND ${QL_TRIPLE}-objcopy --strip-all --add-gnu-debuglink=${symbols} $<TARGET_FILE:${target}> ${stripped}
    DEPENDS ${target} ${PROJECT_SOURCE_DIR}/cmake/check_imports.cmake
    VERBATIM
    COMMENT "Checking the imports of ${target} and stripping it (symbols in ${symbols})")
  add_custom_target(${target}_stripped DEPENDS ${stripped})
  target_sources(${target} PRIVATE ${QL_VERSION_RC})
  add_dependencies(${target} loquat_icon)
endfunction()
set(QL_SHIPPED_RUNTIME ${CMAKE_BINARY_DIR}/bin/runtime/stripped/loquat.exe)
set(QL_RUNTIME_SYMBOLS ${CMAKE_BINARY_DIR}/bin/loquat.exe.debug)
ql_strip_runtime(loquat_runtime ${QL_SHIPPED_RUNTIME} ${QL_RUNTIME_SYMBOLS})
set(QL_RELEASE_RUNTIME ${CMAKE_BINARY_DIR}/bin/release/runtime/stripped/loquat.exe)
set(QL_RELEASE_SYMBOLS ${CMAKE_BINARY_DIR}/bin/release/loquat.exe.debug)
ql_strip_runtime(loquat_release_runtime ${QL_RELEASE_RUNTIME} ${QL_RELEASE_SYMBOLS})

# make dist: the archive of the delivered bin/release/loquat.exe and the learners' note, and one of its
# symbols beside it.
set(QL_DIST_DIR ${PROJECT_SOURCE_DIR}/dist CACHE PATH "Where `make dist` writes the archives")
set(dist_name loquat-${QL_LOQUAT_VERSION}-${QL_TARGET})
if(QL_TARGET STREQUAL "win64")
  set(QL_DIST_WINDOWS "64-bit Windows")
else()
  set(QL_DIST_WINDOWS "32-bit or 64-bit Windows")
endif()
set(QL_DIST_TITLE "Loquat ${QL_LOQUAT_VERSION}: English lessons, for ${QL_DIST_WINDOWS}")
string(LENGTH "${QL_DIST_TITLE}" title_length)
string(REPEAT "=" ${title_length} QL_DIST_TITLE_RULE)
set(note ${release_dir}/README.txt)
configure_file(${PROJECT_SOURCE_DIR}/app/release/README.txt.in ${note} @ONLY NEWLINE_STYLE CRLF)
add_custom_target(dist
  COMMAND ${CMAKE_COMMAND} -DNAME=${dist_name} -DPROGRAM=${CMAKE_BINARY_DIR}/bin/release/loquat.exe
          -DSYMBOLS=${QL_RELEASE_SYMBOLS} -DNOTE=${note} -DSTAGE=${release_dir}/stage -DOUT=${QL_DIST_DIR}
          -P ${PROJECT_SOURCE_DIR}/cmake/dist.cmake
  VERBATIM
  COMMENT "Writing ${QL_DIST_DIR}/${dist_name}.zip")
add_dependencies(dist loquat)
