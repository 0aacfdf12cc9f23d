# What tells the desktop about the program: the desktop entry, the AppStream metadata and the
# manual page, configured into the build folder (where the tests validate them) and installed.
include(GNUInstallDirs)

# The web address lives in one place, beside the About box that shows it.
file(STRINGS ${PROJECT_SOURCE_DIR}/res/DialogTemplates.h _web_site_line
     REGEX "^#define QW_WEB_SITE_ADDRESS \"[^\"]+\"")
if(NOT _web_site_line MATCHES "\"([^\"]+)\"")
  message(FATAL_ERROR "QW_WEB_SITE_ADDRESS is missing from res/DialogTemplates.h")
endif()
set(QUIREWRIGHT_WEB_SITE "${CMAKE_MATCH_1}")

set(QUIREWRIGHT_DESKTOP_FILE ${CMAKE_CURRENT_BINARY_DIR}/${QUIREWRIGHT_APP_ID}.desktop)
set(QUIREWRIGHT_METAINFO_FILE ${CMAKE_CURRENT_BINARY_DIR}/${QUIREWRIGHT_APP_ID}.metainfo.xml)
set(QUIREWRIGHT_MAN_PAGE ${CMAKE_CURRENT_BINARY_DIR}/quirewright.1)

configure_file(${CMAKE_CURRENT_SOURCE_DIR}/quirewright.desktop.in ${QUIREWRIGHT_DESKTOP_FILE} @ONLY)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/quirewright.metainfo.xml.in ${QUIREWRIGHT_METAINFO_FILE} @ONLY)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/quirewright.1.in ${QUIREWRIGHT_MAN_PAGE} @ONLY)
# Manual pages are installed compressed, as Debian's policy asks; "-n" keeps the time and name
# out of the archive so that builds of the same source give the same package.
find_program(QUIREWRIGHT_GZIP gzip)
set(_installed_man_page ${QUIREWRIGHT_MAN_PAGE})
if(QUIREWRIGHT_GZIP)
  execute_process(COMMAND ${QUIREWRIGHT_GZIP} -9nc ${QUIREWRIGHT_MAN_PAGE} OUTPUT_FILE ${QUIREWRIGHT_MAN_PAGE}.gz
                  RESULT_VARIABLE _gzip_result)
  if(_gzip_result EQUAL 0)
    set(_installed_man_page ${QUIREWRIGHT_MAN_PAGE}.gz)
  endif()
endif()

# The tests live in a sibling folder, which does not see this folder's variables.
set_property(GLOBAL PROPERTY QUIREWRIGHT_DESKTOP_FILE ${QUIREWRIGHT_DESKTOP_FILE})
set_property(GLOBAL PROPERTY QUIREWRIGHT_METAINFO_FILE ${QUIREWRIGHT_METAINFO_FILE})
set_property(GLOBAL PROPERTY QUIREWRIGHT_MAN_PAGE ${QUIREWRIGHT_MAN_PAGE})

install(FILES ${QUIREWRIGHT_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUIREWRIGHT_METAINFO_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_installed_man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
