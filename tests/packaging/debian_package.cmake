# Makes the Debian package from the build (cpack only copies and strips: nothing is built) and
# checks what Debian asks of it: the changelog and a machine-readable copyright among its
# documents, the install marker beside the program, and no lintian error or hardening tag.
# Run with cmake -DBUILD_DIR=... -DWORK_DIR=... -DVERSION=... -DCPACK=... -DLINTIAN=...
# -P debian_package.cmake.
cmake_minimum_required(VERSION 3.25)

foreach(required BUILD_DIR WORK_DIR VERSION CPACK)
  if(NOT ${required})
    message(FATAL_ERROR "${required} is not set")
  endif()
endforeach()
if(NOT LINTIAN)
  message(FATAL_ERROR "lintian is missing; scripts/setup installs it")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/expect.cmake)
# A function, not a macro, so that the pattern's backslashes are read once.
function(expect_match description text pattern)
  if(NOT text MATCHES "${pattern}")
    set(failures ${failures} "${description}" PARENT_SCOPE)
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CPACK} --config ${BUILD_DIR}/CPackConfig.cmake -G DEB -B ${WORK_DIR}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
file(GLOB debs ${WORK_DIR}/*.deb)
list(LENGTH debs deb_count)
if(NOT result EQUAL 0 OR NOT deb_count EQUAL 1)
  message(FATAL_ERROR "cpack made ${deb_count} packages (${result}):\n${output}")
endif()

set(tree ${WORK_DIR}/tree)
execute_process(COMMAND dpkg-deb -x ${debs} ${tree} COMMAND_ERROR_IS_FATAL ANY)
set(doc ${tree}/usr/share/doc/quirewright)

expect("usr/lib/quirewright/installed marks the packaged program as installed"
  EXISTS ${tree}/usr/lib/quirewright/installed)

expect("${doc}/changelog.gz is there" EXISTS ${doc}/changelog.gz)
if(EXISTS ${doc}/changelog.gz)
  execute_process(COMMAND gzip -dc ${doc}/changelog.gz OUTPUT_VARIABLE changelog)
  expect_match("the changelog's newest entry is version ${VERSION}" "${changelog}" "^quirewright \\(${VERSION}\\) ")
endif()

# The copyright file in the machine-readable format, naming this project's holders and licence
# and MuPDF's, which the engine links; the licence text itself in a paragraph of its own.
file(READ ${doc}/copyright copyright)
expect_match("copyright is machine-readable" "${copyright}"
  "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n")
expect_match("copyright names the project's holders and licence" "${copyright}"
  "\nFiles: \\*\nCopyright: [0-9]+ The Quirewright developers\nLicense: AGPL-3\\+\n")
expect_match("copyright names MuPDF's holders and licence" "${copyright}"
  "Artifex Software, Inc\\. \\(MuPDF\\)\nLicense: AGPL-3\\+\n")
expect_match("copyright holds the licence text" "${copyright}"
  "\n\nLicense: AGPL-3\\+\n +GNU AFFERO GENERAL PUBLIC LICENSE\n")
# Each line of a field after the first is indented, and none is empty.
if(copyright MATCHES "\n\n\n|\n[ \t]+\n")
  list(APPEND failures "copyright has an empty line inside a paragraph")
endif()

# Errors fail the package; hardening tags mean a protection is missing from the executables.
# Info level too: lintian files some hardening tags there.
execute_process(COMMAND ${LINTIAN} --tag-display-limit 0 --display-info ${debs}
  RESULT_VARIABLE result OUTPUT_VARIABLE lintian_output ERROR_VARIABLE lintian_output)
string(REGEX MATCHALL "(^|\n)(E: [^\n]*|[A-Z]: [^\n]*hardening[^\n]*)" refused "${lintian_output}")
if(refused OR NOT result LESS 2)
  list(APPEND failures "lintian (${result}) reports an error or a hardening tag:\n${lintian_output}")
endif()

if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "The Debian package is wrong:\n  ${text}")
endif()
message(STATUS "The Debian package passes lintian:\n${lintian_output}")
