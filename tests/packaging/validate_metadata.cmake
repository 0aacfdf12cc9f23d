# Validates the configured desktop entry and AppStream metadata with the desktop's own tools,
# and renders the manual page with warnings treated as errors.
# With PROGRAM (the built program), also checks the page against its "--help".
# Usage: cmake -DDESKTOP_FILE=... -DMETAINFO_FILE=... -DMAN_PAGE=... [-DPROGRAM=...] -P validate_metadata.cmake

set(failures "")

function(check name)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  message(STATUS "${name}:\n${output}")
  # Silence is success for these two: groff prints only warnings, and desktop-file-validate's
  # hints (such as a second main category, which lists the program twice in menus) are faults
  # too. AppStream keeps notes for tags that older versions do not know, so only its status counts.
  if(NOT result EQUAL 0 OR (NOT name STREQUAL "appstreamcli" AND NOT output STREQUAL ""))
    set(failures "${failures} ${name}" PARENT_SCOPE)
  endif()
endfunction()

foreach(file IN ITEMS "${DESKTOP_FILE}" "${METAINFO_FILE}" "${MAN_PAGE}")
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "Not configured: \"${file}\"")
  endif()
endforeach()

# The validators are part of the build's packages, so a missing one is a failure, not a skip.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(NOT DESKTOP_FILE_VALIDATE OR NOT APPSTREAMCLI)
  message(FATAL_ERROR "desktop-file-validate or appstreamcli is missing: run scripts/setup")
endif()

check(desktop-file-validate ${DESKTOP_FILE_VALIDATE} ${DESKTOP_FILE})
check(appstreamcli ${APPSTREAMCLI} validate --no-net ${METAINFO_FILE})

# The desktop and the software centre show the program in German and French too.
file(READ "${DESKTOP_FILE}" desktop_entry)
file(READ "${METAINFO_FILE}" metainfo)
foreach(language IN ITEMS de fr)
  if(NOT desktop_entry MATCHES "\nComment\\[${language}\\]=[^\n]+" OR NOT metainfo MATCHES "<summary xml:lang=\"${language}\">")
    set(failures "${failures} no-${language}-summary")
  endif()
endforeach()

find_program(GROFF groff)
if(GROFF)
  check(groff ${GROFF} -man -Tutf8 -ww -z ${MAN_PAGE})
else()
  message(STATUS "groff is not installed: the manual page is not rendered")
endif()

# What the validators cannot see: the files must agree with one another and with the program,
# or the menu shows no icon, the software centre cannot launch it, or "%f" runs something else.
get_filename_component(desktop_id "${DESKTOP_FILE}" NAME)
get_filename_component(app_id "${DESKTOP_FILE}" NAME_WLE)
file(READ "${DESKTOP_FILE}" desktop)
file(READ "${METAINFO_FILE}" metainfo)
set(program_name quirewright)
if(PROGRAM)
  get_filename_component(program_name "${PROGRAM}" NAME)
endif()
foreach(expected IN ITEMS
    "\nExec=${program_name} %f\n" "\nIcon=${app_id}\n" "\nMimeType=application/pdf;\n"
    "\nStartupWMClass=${program_name}\n")
  string(FIND "${desktop}" "${expected}" at)
  if(at EQUAL -1)
    string(STRIP "${expected}" expected)
    message(STATUS "The desktop entry lacks ${expected}")
    set(failures "${failures} ${expected}")
  endif()
endforeach()
foreach(expected IN ITEMS "<id>${app_id}</id>" "<launchable type=\"desktop-id\">${desktop_id}</launchable>"
    "<binary>${program_name}</binary>" "<mediatype>application/pdf</mediatype>")
  string(FIND "${metainfo}" "${expected}" at)
  if(at EQUAL -1)
    message(STATUS "The metadata lacks ${expected}")
    set(failures "${failures} ${expected}")
  endif()
endforeach()

# Every option that "--help" lists has its own entry in the page's OPTIONS.
if(PROGRAM)
  execute_process(COMMAND ${PROGRAM} --help RESULT_VARIABLE result OUTPUT_VARIABLE help ERROR_VARIABLE help)
  string(REGEX MATCHALL "\n  (-[a-z], )?--[a-z-]+" options "${help}")
  if(NOT result EQUAL 0 OR NOT options)
    set(failures "${failures} --help")
  endif()
  file(READ "${MAN_PAGE}" page)
  string(REGEX REPLACE "^.*\n\\.SH OPTIONS\n" "" section "${page}")
  string(REGEX REPLACE "\n\\.SH .*$" "" section "${section}")
  string(REGEX REPLACE "^.*\n\\.SH SYNOPSIS\n" "" synopsis "${page}")
  string(REGEX REPLACE "\n\\.SH .*$" "" synopsis "${synopsis}")
  # The usage line: what --help prints before the description.
  string(REGEX REPLACE "\n[A-Z][^\n]*\n.*$" "" usage "${help}")
  foreach(option IN LISTS options)
    string(REGEX REPLACE ".*--" "" option "${option}")
    # The page spells each hyphen as roff's minus sign, "\-".
    string(REPLACE "-" "\\\\-" spelled "${option}")
    if(NOT section MATCHES "\\.TP\n\\.[BIR]+ [^\n]*\\\\-\\\\-${spelled}([^a-z\\\\]|$)")
      message(STATUS "The manual page's OPTIONS lack --${option}")
      set(failures "${failures} --${option}")
    endif()
    if(NOT synopsis MATCHES "\\\\-\\\\-${spelled}([^a-z\\\\]|$)")
      message(STATUS "The manual page's SYNOPSIS lacks --${option}")
      set(failures "${failures} synopsis--${option}")
    endif()
    if(NOT option MATCHES "^(help|help-all|version)$" AND NOT usage MATCHES "--${option}([^a-z-]|$)")
      message(STATUS "The usage line of --help lacks --${option}")
      set(failures "${failures} usage--${option}")
    endif()
  endforeach()
  # A value name is never cut at the edge of its column.
  string(REGEX MATCHALL "\n  -[^\n]*" option_lines "${help}")
  foreach(line IN LISTS option_lines)
    if(line MATCHES "<[^>]*$")
      message(STATUS "--help breaks a value name:${line}")
      set(failures "${failures} value-name")
    endif()
  endforeach()
endif()

if(failures)
  message(FATAL_ERROR "Failed:${failures}")
endif()
