# Installs the built program (only copying: nothing is built) into a fresh prefix and checks the
# layout the program relies on: the engine beside the real program, and bin/ holding a relative
# link that still finds it. Run with cmake -DBUILD_DIR=... -DWORK_DIR=... -DVERSION=...
# [-DREADELF=...] -P install_layout.cmake.
cmake_minimum_required(VERSION 3.25)

foreach(required BUILD_DIR WORK_DIR VERSION)
  if(NOT ${required})
    message(FATAL_ERROR "${required} is not set")
  endif()
endforeach()

set(failures "")
macro(expect condition_text)
  if(NOT (${ARGN}))
    list(APPEND failures "${condition_text}")
  endif()
endmacro()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --strip
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${result}):\n${output}")
endif()

set(program ${prefix}/lib/quirewright/quirewright)
set(engine ${prefix}/lib/quirewright/quirekit.dll)
set(launcher ${prefix}/bin/quirewright)

foreach(file IN ITEMS ${program} ${engine})
  execute_process(COMMAND test -f ${file} -a -x ${file} RESULT_VARIABLE not_executable)
  expect("${file} is an executable file" NOT IS_SYMLINK ${file} AND not_executable EQUAL 0)
  # --strip must reach both executables, else the package would carry the debug information.
  if(READELF AND NOT not_executable)
    execute_process(COMMAND ${READELF} -S --wide ${file} OUTPUT_VARIABLE sections)
    expect("${file} has no debug sections after --strip" NOT sections MATCHES "\\.debug_info")
  endif()
endforeach()

expect("${launcher} is a link" IS_SYMLINK ${launcher})
if(IS_SYMLINK ${launcher})
  file(READ_SYMLINK ${launcher} target)
  expect("${launcher} links by a relative path, not ${target}" NOT IS_ABSOLUTE "${target}")
  file(REAL_PATH ${launcher} resolved)
  file(REAL_PATH ${program} program_real)
  expect("${launcher} resolves to ${program}, not ${resolved}" resolved STREQUAL program_real)
endif()

# Only what is installed may be found: no display, and a configuration folder of its own.
set(run ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=${WORK_DIR}/config ${launcher})

execute_process(COMMAND ${run} --version RESULT_VARIABLE result
  OUTPUT_VARIABLE version_text ERROR_VARIABLE version_error OUTPUT_STRIP_TRAILING_WHITESPACE)
expect("--version prints \"Quirewright ${VERSION}\", not \"${version_text}\" (${result}: ${version_error})"
  result EQUAL 0 AND version_text STREQUAL "Quirewright ${VERSION}")

# A real split through the link: the program must find the installed engine beside its real path.
set(pdf "%PDF-1.4\n")
set(objects
  "<< /Type /Catalog /Pages 2 0 R >>"
  "<< /Type /Pages /Kids [3 0 R 4 0 R] /Count 2 >>"
  "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >>"
  "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >>")
set(xref "xref\n0 5\n0000000000 65535 f \n")
set(number 1)
foreach(object IN LISTS objects)
  string(LENGTH "${pdf}" offset)
  string(LENGTH "${offset}" digits)
  math(EXPR pad "10 - ${digits}")
  string(REPEAT "0" ${pad} zeros)
  string(APPEND xref "${zeros}${offset} 00000 n \n")
  string(APPEND pdf "${number} 0 obj\n${object}\nendobj\n")
  math(EXPR number "${number} + 1")
endforeach()
string(LENGTH "${pdf}" xref_offset)
string(APPEND pdf "${xref}trailer\n<< /Size 5 /Root 1 0 R >>\nstartxref\n${xref_offset}\n%%EOF\n")
file(WRITE ${WORK_DIR}/book.pdf "${pdf}")
file(MAKE_DIRECTORY ${WORK_DIR}/parts)

execute_process(COMMAND ${run} --split book.pdf --at 2 --output-folder parts
  WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE result OUTPUT_VARIABLE split_output ERROR_VARIABLE split_output)
expect("the installed program splits with the installed engine (${result}):\n${split_output}"
  result EQUAL 0 AND EXISTS "${WORK_DIR}/parts/book 1.pdf" AND EXISTS "${WORK_DIR}/parts/book 2.pdf")

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "The installed layout is wrong:\n  ${text}")
endif()
message(STATUS "Installed layout in ${prefix} is as expected")
