# Checks that every source file and script opens with one line naming what it holds: a "//" comment in C,
# C++, assembly and .inc files, a "#" comment in CMake files and (after the #! line) in shell scripts. Run
# as a script:
#   cmake -DROOT=<source tree> -P cmake/check_file_headers.cmake
# It names every file that does not, and fails if there is one.
if(NOT ROOT)
  message(FATAL_ERROR "check_file_headers: set ROOT to the source tree (-DROOT=...)")
endif()

set(folders app cmake runtime scripts sdk tests tools)
set(missing 0)
foreach(folder IN LISTS folders)
  file(GLOB_RECURSE sources "${ROOT}/${folder}/*.cpp" "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.c"
       "${ROOT}/${folder}/*.S" "${ROOT}/${folder}/*.inc" "${ROOT}/${folder}/*.cmake" "${ROOT}/${folder}/*.sh"
       "${ROOT}/${folder}/CMakeLists.txt")
  list(APPEND all_sources ${sources})
endforeach()
list(APPEND all_sources "${ROOT}/CMakeLists.txt")
foreach(source IN LISTS all_sources)
  file(READ "${source}" text LIMIT 512)
  string(FIND "${text}" "\n" end)
  string(SUBSTRING "${text}" 0 ${end} first)
  if(source MATCHES "\\.sh$" AND first MATCHES "^#!")
    math(EXPR start "${end} + 1")
    string(SUBSTRING "${text}" ${start} -1 rest)
    string(FIND "${rest}" "\n" end)
    string(SUBSTRING "${rest}" 0 ${end} first)
  endif()
  if(source MATCHES "(\\.cmake|CMakeLists\\.txt|\\.sh)$")
    set(pattern "^# [^ ]")
  else()
    set(pattern "^// [^ ]")
  endif()
  if(NOT first MATCHES "${pattern}")
    file(RELATIVE_PATH shown "${ROOT}" "${source}")
    message("${shown}: the first line must be a comment naming what the file holds")
    math(EXPR missing "${missing} + 1")
  endif()
endforeach()
if(missing GREATER 0)
  message(FATAL_ERROR "check_file_headers: ${missing} files do not open with a line naming what they hold")
endif()
message(STATUS "check_file_headers: every file opens with a line naming what it holds")
