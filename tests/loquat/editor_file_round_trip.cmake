# The file the editor saved (LoquatAuthor.SavingBeforeQuittingWritesTheFileThatLessontableImports) checked,
# imported and exported again by lessontable: the import is the repository's table byte for byte, and the
# export is the editor's file byte for byte.
#   cmake -DLESSONTABLE=... -DFILE=saved -DTABLE=app/content/exercises.tsv -DWORK=dir -P editor_file_round_trip.cmake
foreach(command "check;${FILE}" "import;${FILE};-o;${WORK}/imported.tsv" "export;${WORK}/imported.tsv;-o;${WORK}/exported")
  execute_process(COMMAND ${LESSONTABLE} ${command} RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(failed)
    message(FATAL_ERROR "lessontable ${command} failed:\n${out}${err}")
  endif()
endforeach()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/imported.tsv ${TABLE} RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "${FILE} imports to something other than ${TABLE}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${WORK}/exported ${FILE} RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "${FILE} does not come back from export(import(file)) byte for byte")
endif()
message(STATUS "${FILE}: imported as ${TABLE} and exported back, byte for byte")
