# The program's translations. Each language is one .ts source here, kept up to date with the
# texts of the code by `cmake --build build --target update_translations` (lupdate), and
# compiled by lrelease into a .qm file embedded as a resource under :/i18n/.
# Adding a language: add translations/quirewright_<language>.ts to the list below, run the
# target above, translate the new file in Qt Linguist; see the README.
set(QUIREWRIGHT_LANGUAGES de fr)

set(quirewright_ts_files)
foreach(language IN LISTS QUIREWRIGHT_LANGUAGES)
  list(APPEND quirewright_ts_files ${CMAKE_CURRENT_LIST_DIR}/quirewright_${language}.ts)
endforeach()

# lupdate reads every source of the program's libraries; the engine has no texts for
# translation (it is not a Qt program) and the resource compiler runs only at build time.
file(GLOB_RECURSE quirewright_translated_sources CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/app/*.cpp ${PROJECT_SOURCE_DIR}/app/*.h
  ${PROJECT_SOURCE_DIR}/batch/*.cpp ${PROJECT_SOURCE_DIR}/batch/*.h
  ${PROJECT_SOURCE_DIR}/split/*.cpp ${PROJECT_SOURCE_DIR}/split/*.h
  ${PROJECT_SOURCE_DIR}/viewer/*.cpp ${PROJECT_SOURCE_DIR}/viewer/*.h
  ${PROJECT_SOURCE_DIR}/controls/*.cpp ${PROJECT_SOURCE_DIR}/controls/*.h
  ${PROJECT_SOURCE_DIR}/menu/*.cpp ${PROJECT_SOURCE_DIR}/menu/*.h
  ${PROJECT_SOURCE_DIR}/framework/*.cpp ${PROJECT_SOURCE_DIR}/framework/*.h
  ${PROJECT_SOURCE_DIR}/core/*.cpp ${PROJECT_SOURCE_DIR}/core/*.h
  ${PROJECT_SOURCE_DIR}/res/*.cpp ${PROJECT_SOURCE_DIR}/res/*.h)

qt_add_translations(quirewright_core
  TS_FILES ${quirewright_ts_files}
  SOURCES ${quirewright_translated_sources}
  RESOURCE_PREFIX /i18n
  # Line numbers in the .ts would change with every edit of a source; the context and the
  # text are what find a translation.
  LUPDATE_OPTIONS -locations none
  LRELEASE_OPTIONS -silent)
