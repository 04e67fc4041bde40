# Packs a release: NAME.zip (a folder NAME holding loquat.exe and README.txt) and NAME-symbols.zip (the
# program's loquat.exe.debug) in OUT, and prints their sizes. Run by the `dist` target of cmake/release.cmake:
#   cmake -DNAME=... -DPROGRAM=bin/loquat.exe -DSYMBOLS=... -DNOTE=README.txt -DSTAGE=dir -DOUT=dir -P dist.cmake
foreach(input NAME PROGRAM SYMBOLS NOTE STAGE OUT)
  if(NOT ${input})
    message(FATAL_ERROR "dist: set ${input} (-D${input}=...)")
  endif()
endforeach()
foreach(file ${PROGRAM} ${SYMBOLS} ${NOTE})
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "dist: ${file} is missing; build the tree first")
  endif()
endforeach()

file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${STAGE}/${NAME} ${OUT})
configure_file(${PROGRAM} ${STAGE}/${NAME}/loquat.exe COPYONLY)
configure_file(${NOTE} ${STAGE}/${NAME}/README.txt COPYONLY)
configure_file(${SYMBOLS} ${STAGE}/loquat.exe.debug COPYONLY)

function(pack archive)
  file(REMOVE ${OUT}/${archive})
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT}/${archive} --format=zip ${ARGN}
                  WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "dist: packing ${OUT}/${archive} failed")
  endif()
  file(SIZE ${OUT}/${archive} size)
  message(STATUS "dist: ${OUT}/${archive}: ${size} bytes")
endfunction()

file(SIZE ${PROGRAM} program_size)
message(STATUS "dist: loquat.exe: ${program_size} bytes")
pack(${NAME}.zip ${NAME})
pack(${NAME}-symbols.zip loquat.exe.debug)
