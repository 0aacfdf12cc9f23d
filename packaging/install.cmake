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

# Debian looks for the licence under this name, in a folder named after the package.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/quirewright
  RENAME copyright)

include(${CMAKE_CURRENT_LIST_DIR}/cpack.cmake)
