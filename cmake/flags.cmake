# Compiler settings shared by every target of the tree. ql_apply_warnings() is for the project's own code;
# third-party sources (GoogleTest on the Windows targets) keep their own warning settings.
option(QL_SANITIZE "Build host code with AddressSanitizer and UndefinedBehaviorSanitizer" ${QL_HOST})
option(QL_FUZZ "Build the libFuzzer targets of tests/fuzz instead of the tests (host, clang only)" OFF)
if(QL_FUZZ AND NOT (QL_HOST AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang"))
  message(FATAL_ERROR "QL_FUZZ needs a host build with clang: -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14")
endif()

add_compile_options(-fno-omit-frame-pointer)
if(QL_WINDOWS)
  # No DLLs of the toolchain next to the programs: Wine and Windows find everything in the executable.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()
if(QL_HOST AND QL_SANITIZE)
  # The host trees exist to run checks; -O1 with line tables keeps sanitizer reports readable and halves
  # the compile time of -O2 with full debug information.
  add_compile_options(-O1 -g1 -fsanitize=address,undefined -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(QL_FUZZ)
  # Coverage for libFuzzer in every library the targets reach; the targets themselves link its driver.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
# The host builds check the invariants that comments state; the Windows builds leave the checks out.
if(QL_HOST)
  add_compile_definitions(QL_CHECK_INVARIANTS)
endif()

# Test programs are mostly assertion macros, which the optimiser spends its time on for nothing; they are
# built quickly, and GoogleTest's header is parsed once per program.
function(ql_quick_test_build target)
  if(QL_HOST)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-O0>)
  else()
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-O1 -g0>)
  endif()
  target_precompile_headers(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:<gtest/gtest.h$<ANGLE-R>>)
endfunction()

function(ql_apply_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# The runtime's headers are named from their layer ("values/string.h") and the SDK's as "quillet/...": the
# project root is not on the path, so "app/..." can only mean the runtime's application layer.
set(QL_INCLUDE_DIRS ${PROJECT_SOURCE_DIR}/runtime ${PROJECT_SOURCE_DIR}/sdk)

# Windows programs of this tree run under Wine, in the tree's own prefix; the tree names its Wine (64- or
# 32-bit) in a file scripts/wine-run.sh reads.
if(QL_WINDOWS)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/scripts/wine-run.sh ${CMAKE_BINARY_DIR})
  file(WRITE ${CMAKE_BINARY_DIR}/wine-arch "${QL_TARGET}\n")
endif()
