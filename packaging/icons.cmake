# The desktop icons: PNGs of the usual sizes rendered at build time from the hand-drawn SVGs in
# icons/, and the large drawing itself as the scalable icon. The small sizes have their own
# drawings on their own pixel grid so they stay sharp instead of being the large one shrunk.
find_package(Qt6 REQUIRED COMPONENTS Svg)

add_executable(quirewright_render_icon icons/render_icon.cpp)
set_target_properties(quirewright_render_icon PROPERTIES AUTOMOC OFF)
target_link_libraries(quirewright_render_icon PRIVATE Qt6::Gui Qt6::Svg)

set(icon_dir ${CMAKE_CURRENT_SOURCE_DIR}/icons)
set(icon_build_dir ${CMAKE_CURRENT_BINARY_DIR}/icons)
set(icon_sizes 16 32 48 64 128 256)
# Sizes drawn separately, pixel by pixel; the others come from the large drawing.
set(icon_own_drawings 16 32 48)
set(render_arguments "")
set(icon_pngs "")
set(icon_checks "")
set(icon_drawings "")
foreach(size IN LISTS icon_sizes)
  if(size IN_LIST icon_own_drawings)
    set(drawing ${icon_dir}/quirewright-${size}.svg)
  else()
    set(drawing ${icon_dir}/quirewright.svg)
  endif()
  set(png ${icon_build_dir}/${size}x${size}/${QUIREWRIGHT_APP_ID}.png)
  list(APPEND render_arguments ${drawing} ${size} ${png})
  list(APPEND icon_pngs ${png})
  list(APPEND icon_checks "${size}=${png}")
  list(APPEND icon_drawings ${drawing})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
list(REMOVE_DUPLICATES icon_drawings)
# The tests check the rendered files: "size=path" for each.
set(QUIREWRIGHT_ICON_CHECKS "${icon_checks}" CACHE INTERNAL "The rendered desktop icons, as size=path")

set(icon_dirs "")
foreach(png IN LISTS icon_pngs)
  get_filename_component(folder ${png} DIRECTORY)
  list(APPEND icon_dirs ${folder})
endforeach()
add_custom_command(OUTPUT ${icon_pngs}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dirs}
  COMMAND quirewright_render_icon ${render_arguments}
  DEPENDS quirewright_render_icon ${icon_drawings}
  COMMENT "Rendering the desktop icons"
  VERBATIM)
add_custom_target(quirewright_icons ALL DEPENDS ${icon_pngs})

install(FILES ${icon_dir}/quirewright.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
  RENAME ${QUIREWRIGHT_APP_ID}.svg)
