# Installation (cmake --install) and the Debian package (cpack -G DEB):
# the two programs (and the renderer's video module), the data folder, the desktop entry with its icon, the
# AppStream metainfo and the man pages. Included from the top CMakeLists.txt
# after the programs and the data target are defined.
include(GNUInstallDirs)

set(LUMIVANE_APP_ID org.vantelquorix.Lumivane)
set(LUMIVANE_RELEASE_DATE 2026-12-09)  # of PROJECT_VERSION, for the metainfo and the man pages
set(LUMIVANE_MAINTAINER "Lumivane maintainers <maintainers@lumivane.example>" CACHE STRING
  "Maintainer named in the Debian package")
set(PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)
set(LUMIVANE_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/lumivane)

install(TARGETS lumivane lumivane-render RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET lumivane-video)
  install(TARGETS lumivane-video LIBRARY DESTINATION ${LUMIVANE_MODULE_DIR})
endif()
install(DIRECTORY ${DATA_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/lumivane/data
  PATTERN .generated EXCLUDE)

# Man pages, compressed without a time stamp so that builds are reproducible.
set(MAN_PAGES "")
foreach(page lumivane lumivane-render)
  configure_file(${PACKAGING_DIR}/${page}.6 ${PACKAGING_OUT}/${page}.6 @ONLY)
  add_custom_command(OUTPUT ${PACKAGING_OUT}/${page}.6.gz
    COMMAND gzip -9nkf ${PACKAGING_OUT}/${page}.6
    DEPENDS ${PACKAGING_OUT}/${page}.6)
  list(APPEND MAN_PAGES ${PACKAGING_OUT}/${page}.6.gz)
endforeach()
add_custom_target(man_pages ALL DEPENDS ${MAN_PAGES})
install(FILES ${MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

install(FILES ${PACKAGING_DIR}/${LUMIVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${PACKAGING_DIR}/${LUMIVANE_APP_ID}.metainfo.xml.in
  ${PACKAGING_OUT}/${LUMIVANE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PACKAGING_OUT}/${LUMIVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon is drawn by the data generator.
if(TARGET lumivane-datagen)
  set(ICON ${PACKAGING_OUT}/lumivane.png)
  add_custom_command(OUTPUT ${ICON}
    COMMAND lumivane-datagen --icon ${ICON}
    DEPENDS lumivane-datagen
    COMMENT "Drawing the icon")
  add_custom_target(icon ALL DEPENDS ${ICON})
  install(FILES ${ICON} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
endif()

# What Debian asks of every package: the copyright and the changelog.
configure_file(${PACKAGING_DIR}/changelog.in ${PACKAGING_OUT}/changelog @ONLY)
add_custom_command(OUTPUT ${PACKAGING_OUT}/changelog.gz
  COMMAND gzip -9nkf ${PACKAGING_OUT}/changelog
  DEPENDS ${PACKAGING_OUT}/changelog)
add_custom_target(changelog ALL DEPENDS ${PACKAGING_OUT}/changelog.gz)
install(FILES ${PACKAGING_DIR}/copyright ${PACKAGING_OUT}/changelog.gz DESTINATION ${LUMIVANE_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumivane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Vantel Quorix")
set(CPACK_PACKAGE_CONTACT ${LUMIVANE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time audiovisual demo in fifteen OpenGL scenes")
set(CPACK_PACKAGE_DESCRIPTION
  "Lumivane plays a fixed 195-second sequence of fifteen OpenGL scenes with fades\n"
  "and letterbox bars, in step with its music. A small dialog asks for the\n"
  "resolution, colour depth, fullscreen and sound. lumivane-render draws frames\n"
  "of the demo offline.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xvfb, xauth")
# The pictures and the music are compressed already: xz saves 0.6 % for three
# times the time.
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianGames.cmake)
include(CPack)
