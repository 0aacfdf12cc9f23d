# What the developer scripts build: each runs from a copy of itself with stand-ins for setup,
# cmake, ctest and the program, which only write down how they were called. scripts/run must
# build only what it starts (the program and its engine), scripts/test everything.
# Run with cmake -DSOURCE_DIR=... -DWORK_DIR=... -P script_builds.cmake.
cmake_minimum_required(VERSION 3.25)

foreach(required SOURCE_DIR WORK_DIR)
  if(NOT ${required})
    message(FATAL_ERROR "${required} is not set")
  endif()
endforeach()

# script | its arguments | the targets its build must name ("all": no --target) | what else it runs
set(cases
  "run|--version|quirekit quirewright|quirewright --version"
  "run|--split book.pdf --every 2|quirekit quirewright|quirewright --split book.pdf --every 2"
  "test|-R tst_x|all|ctest --preset default --output-on-failure -R tst_x")

set(failures "")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 script)
  list(GET fields 1 arguments)
  list(GET fields 2 expected_targets)
  list(GET fields 3 expected_run)

  set(tree ${WORK_DIR}/${script})
  file(REMOVE_RECURSE ${tree})
  file(MAKE_DIRECTORY ${tree}/scripts ${tree}/bin ${tree}/build)
  file(COPY ${SOURCE_DIR}/scripts/${script} DESTINATION ${tree}/scripts)
  set(log ${tree}/calls.log)
  set(stub "#!/bin/sh\nprintf '%s\\n' \"$(basename \"$0\") $*\" >>'${log}'\n")
  foreach(name IN ITEMS scripts/setup bin/cmake bin/ctest build/quirewright)
    file(CONFIGURE OUTPUT ${tree}/${name} CONTENT "${stub}")
    file(CHMOD ${tree}/${name} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  endforeach()

  separate_arguments(argument_list UNIX_COMMAND "${arguments}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E env "PATH=${tree}/bin:$ENV{PATH}" --unset=DISPLAY --unset=WAYLAND_DISPLAY
                          bash ${tree}/scripts/${script} ${argument_list}
                  WORKING_DIRECTORY ${tree} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  file(STRINGS ${log} calls)
  if(NOT result EQUAL 0)
    list(APPEND failures "scripts/${script} ${arguments} failed (${result}): ${output}")
    continue()
  endif()

  set(builds "")
  set(ran_expected FALSE)
  foreach(call IN LISTS calls)
    if(call MATCHES "^cmake --build")
      list(APPEND builds "${call}")
    elseif(call STREQUAL expected_run)
      set(ran_expected TRUE)
    endif()
  endforeach()
  list(LENGTH builds build_count)
  if(NOT build_count EQUAL 1)
    list(APPEND failures "scripts/${script} ${arguments} builds ${build_count} times: ${builds}")
    continue()
  endif()
  # The targets: the words after --target up to the next option.
  set(targets "")
  if(builds MATCHES "--target ([^-]*)")
    string(STRIP "${CMAKE_MATCH_1}" named)
    separate_arguments(targets UNIX_COMMAND "${named}")
    list(SORT targets)
    list(JOIN targets " " targets)
  else()
    set(targets all)
  endif()
  if(NOT targets STREQUAL expected_targets)
    list(APPEND failures "scripts/${script} ${arguments} builds \"${targets}\", not \"${expected_targets}\": ${builds}")
  endif()
  if(NOT ran_expected)
    list(APPEND failures "scripts/${script} ${arguments} did not run \"${expected_run}\"; it called: ${calls}")
  endif()
endforeach()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "The scripts build the wrong things:\n  ${text}")
endif()
message(STATUS "scripts/run builds the program and its engine only; scripts/test builds everything")
