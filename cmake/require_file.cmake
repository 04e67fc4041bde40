# Stops a build step whose input is missing, saying which input it is and what to do:
# cmake -DWHAT=description -DPATH=path [-DHINT=advice] -P require_file.cmake
if(PATH STREQUAL "")
  message(FATAL_ERROR "${WHAT}: this build tree has nothing that makes it. ${HINT}")
endif()
if(NOT EXISTS "${PATH}")
  message(FATAL_ERROR "${WHAT} is missing: ${PATH}. ${HINT}")
endif()
