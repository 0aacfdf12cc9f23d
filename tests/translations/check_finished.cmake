# Every text of the code has a translation in every language: lupdate reads the sources into a
# copy of each .ts file, so a text added to the code and not yet translated shows as unfinished.
# Usage: cmake -DLUPDATE=... -DSOURCE_DIR=... -DWORK_DIR=... -DTS_FILES="a.ts;b.ts" -P check_finished.cmake

set(failures "")
file(MAKE_DIRECTORY "${WORK_DIR}")
foreach(ts IN LISTS TS_FILES)
  get_filename_component(name "${ts}" NAME)
  configure_file("${ts}" "${WORK_DIR}/${name}" COPYONLY)
  execute_process(COMMAND "${LUPDATE}" -silent -locations none
                    app split viewer controls menu framework res -ts "${WORK_DIR}/${name}"
                  WORKING_DIRECTORY "${SOURCE_DIR}" RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  file(READ "${WORK_DIR}/${name}" updated)
  string(REGEX MATCHALL "type=\"unfinished\"" unfinished "${updated}")
  list(LENGTH unfinished count)
  if(NOT result EQUAL 0 OR count GREATER 0)
    message(STATUS "${name}: ${count} unfinished ${output}")
    set(failures "${failures} ${name}")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "Untranslated texts in:${failures}. Run the update_translations target and translate them.")
endif()
