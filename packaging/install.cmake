# Where `cmake --install build --prefix P` puts the program:
#   P/lib/quirewright/quirewright   the program
#   P/lib/quirewright/quirekit.dll  the engine, which the program only looks for in its own folder
#   P/bin/quirewright               a relative link to the program, so the tree can be moved
# The program's folder is its real path, not the link's, so starting it through P/bin still
# finds the engine. Add --strip to drop the debug information from both executables (the
# Debian package is always built that way).
include(GNUInstallDirs)

# Not CMAKE_INSTALL_LIBDIR: on Debian that is the multiarch folder of shared libraries, while
# a program's private executables go to lib/<package>.
set(QUIREWRIGHT_INSTALL_DIR "lib/quirewright")

install(TARGETS quirewright quirekit RUNTIME DESTINATION ${QUIREWRIGHT_INSTALL_DIR})

# The link is made once in the build folder and installed as it is: file(INSTALL) copies a
# link as a link, so DESTDIR and the package's staging tree get it too.
set(launcher_link ${CMAKE_CURRENT_BINARY_DIR}/launcher/quirewright)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/launcher)
file(CREATE_LINK ../${QUIREWRIGHT_INSTALL_DIR}/quirewright ${launcher_link} SYMBOLIC)
install(FILES ${launcher_link} DESTINATION ${CMAKE_INSTALL_BINDIR})

# Tells the program it was installed, so that it keeps its options per user instead of beside
# itself in a folder that every user shares (see split/OptionsFile.h).
install(FILES ${CMAKE_CURRENT_LIST_DIR}/installed DESTINATION ${QUIREWRIGHT_INSTALL_DIR})

include(${CMAKE_CURRENT_LIST_DIR}/cpack.cmake)

# Debian's copyright file, machine-readable: this project's notice and MuPDF's, which the engine
# links statically, then the licence text from LICENSE as the format wants it (each line
# indented, an empty one written as " .").
find_package(PkgConfig REQUIRED)
pkg_check_modules(QUIREWRIGHT_MUPDF REQUIRED mupdf)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(STRIP "${license}" license)
# Twice, since neighbouring empty lines share the line break between them.
string(REGEX REPLACE "\n[ \t]*\n" "\n.\n" license "${license}")
string(REGEX REPLACE "\n[ \t]*\n" "\n.\n" license "${license}")
string(REPLACE "\n" "\n " license "${license}")
set(QUIREWRIGHT_LICENSE_TEXT " ${license}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${CMAKE_CURRENT_BINARY_DIR}/copyright @ONLY)

# The changelog's newest entry must be this version: Debian reads the package's history there.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^quirewright \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog begins with \"${changelog_head}\", not an entry for version ${PROJECT_VERSION}")
endif()
# Compressed as Debian's policy asks; "-n" keeps the time and name out, for reproducible packages.
find_program(QUIREWRIGHT_GZIP gzip REQUIRED)
execute_process(COMMAND ${QUIREWRIGHT_GZIP} -9nc ${CMAKE_CURRENT_LIST_DIR}/changelog
                OUTPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_LIST_DIR}/changelog ${PROJECT_SOURCE_DIR}/LICENSE)

install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quirewright)
# Lintian's verdict on tags it raises wrongly here, each with its reason.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME quirewright)
