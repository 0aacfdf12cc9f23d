# The Debian package: `cpack -G DEB` in the build folder (scripts/package builds and checks it).
# It holds every install() rule of the project, so the desktop files and icons come along.

# The About box's addresses are defined once, in the C++ header; the package reads them there.
function(quirewright_header_address macro out)
  file(STRINGS ${PROJECT_SOURCE_DIR}/res/DialogTemplates.h line
    REGEX "^#define ${macro} \"[^\"]+\"")
  if(NOT line MATCHES "\"([^\"]+)\"")
    message(FATAL_ERROR "res/DialogTemplates.h no longer defines ${macro}")
  endif()
  set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()
quirewright_header_address(QW_SUPPORT_ADDRESS QUIREWRIGHT_SUPPORT_ADDRESS)
quirewright_header_address(QW_WEB_SITE_ADDRESS QUIREWRIGHT_WEB_SITE_ADDRESS)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quirewright)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Quirewright developers")
set(CPACK_PACKAGE_CONTACT "The Quirewright developers <${QUIREWRIGHT_SUPPORT_ADDRESS}>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${QUIREWRIGHT_WEB_SITE_ADDRESS})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "split PDF documents into parts at chosen pages")
# Kept under 80 columns and without double quotes, which the DEB generator mangles.
set(CPACK_PACKAGE_DESCRIPTION
  "Quirewright cuts one PDF document into several. It shows one row per page
beside a live preview; break points, put before pages by hand, every N pages
or where the bookmarks begin, mark where the new parts start. Each part keeps
its links and bookmarks and is named after a pattern of tokens such as
{basename}, {part} and {bookmark}.

Splitting also works from scripts, without a window or a display:
quirewright --split book.pdf --every 10.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Debug information stays out of the package.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The dependencies are those of the executables, as dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Besides those: Qt's own translations, for its standard dialogs and buttons in the user's language.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
