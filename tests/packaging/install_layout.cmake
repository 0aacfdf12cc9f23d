# Installs the built program (only copying: nothing is built) into a fresh prefix and checks the
# layout the program relies on: the engine beside the real program, and bin/ holding a relative
# link that still finds it; and that the installed program takes its options per user, over
# system-wide defaults, never from its own folder, while a copy that was not installed does. Run with cmake -DBUILD_DIR=... -DWORK_DIR=... -DVERSION=...
# [-DREADELF=...] -P install_layout.cmake.
cmake_minimum_required(VERSION 3.25)

foreach(required BUILD_DIR WORK_DIR VERSION)
  if(NOT ${required})
    message(FATAL_ERROR "${required} is not set")
  endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/expect.cmake)

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

# Only what is installed may be found: no display, and configuration folders of its own.
set(environment QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=${WORK_DIR}/config XDG_CONFIG_DIRS=${WORK_DIR}/xdg)
set(run ${CMAKE_COMMAND} -E env ${environment} ${launcher})

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

# Options under another name beside the installed program, where root's Ok once put them: an
# installed program shares its folder with every user, so it must not read them.
set(options_section "[Setting]\r\nFileNamePattern=")
file(WRITE ${prefix}/lib/quirewright/options.ini "${options_section}beside {part}\r\n")
expect("the install marks the program as installed" EXISTS ${prefix}/lib/quirewright/installed)

# A split with the options in force: the parts' names tell which file they came from.
function(split_into folder expected_first_part)
  cmake_parse_arguments(PARSE_ARGV 2 split "" "" "COMMAND")
  if(NOT split_COMMAND)
    set(split_COMMAND ${run})
  endif()
  file(MAKE_DIRECTORY ${WORK_DIR}/${folder})
  execute_process(COMMAND ${split_COMMAND} --split book.pdf --at 2 --output-folder ${folder}
    WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE result OUTPUT_VARIABLE split_output ERROR_VARIABLE split_output)
  file(GLOB made RELATIVE ${WORK_DIR}/${folder} ${WORK_DIR}/${folder}/*.pdf)
  list(SORT made)
  if(NOT result EQUAL 0 OR NOT made MATCHES "^${expected_first_part};")
    set(failures ${failures} "the split into ${folder} made \"${made}\", not \"${expected_first_part}\" first (${result}):\n${split_output}" PARENT_SCOPE)
  endif()
endfunction()

# The installed engine, found through the link, with the built-in pattern.
split_into(parts "book 1.pdf")
# System-wide defaults, then the user's own file over them, key by key.
file(WRITE "${WORK_DIR}/xdg/Ardenne Quirewright/options.ini"
  "${options_section}system {part}\r\n")
split_into(parts-system "system 1.pdf")
file(WRITE "${WORK_DIR}/config/Ardenne Quirewright/options.ini" "${options_section}user {part}\r\n")
split_into(parts-user "user 1.pdf")

# A copy that was not installed (no marker) keeps its options beside itself.
file(COPY ${prefix}/lib/quirewright/ DESTINATION ${WORK_DIR}/copy)
file(REMOVE ${WORK_DIR}/copy/installed)
split_into(parts-copy "beside 1.pdf" COMMAND ${CMAKE_COMMAND} -E env ${environment}
  XDG_CONFIG_HOME=${WORK_DIR}/copy-config ${WORK_DIR}/copy/quirewright)

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "The installed layout is wrong:\n  ${text}")
endif()
message(STATUS "Installed layout in ${prefix} is as expected")
