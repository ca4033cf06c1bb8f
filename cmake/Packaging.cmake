# What `cmake --install` puts in place and how `cpack -G DEB` packs it: the two programs, their
# man pages and, with the studio, its desktop file, MIME types and icon.
include(GNUInstallDirs)

set(ORLENZA_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/resources/desktop)

# Man pages carry the project's version; Debian wants them compressed (-n: no time stamp, so
# the package is reproducible).
find_program(ORLENZA_GZIP gzip REQUIRED)
function(orlenza_man_page program)
  set(page ${CMAKE_CURRENT_BINARY_DIR}/man/${program}.1)
  configure_file(${ORLENZA_DESKTOP_DIR}/${program}.1.in ${page} @ONLY)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${ORLENZA_GZIP} -9 -n -c ${page} > ${page}.gz
    DEPENDS ${page} ${ORLENZA_DESKTOP_DIR}/${program}.1.in
    VERBATIM)
  add_custom_target(${program}-man ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

if(TARGET orlenza-render)
  install(TARGETS orlenza-render RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # Beside bin/ as lib/orlenza/: the programs look for it there, whatever the prefix.
  install(TARGETS orlenza_movie LIBRARY DESTINATION lib/orlenza)
  orlenza_man_page(orlenza-render)
endif()

# The studio's own folder installs the program; the entry names it, so it comes only with it.
if(TARGET orlenza)
  orlenza_man_page(orlenza)
  install(FILES ${ORLENZA_DESKTOP_DIR}/orlenza.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${ORLENZA_DESKTOP_DIR}/orlenza-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
    RENAME orlenza.xml)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/orlenza.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${ORLENZA_DESKTOP_DIR}/orlenza-48.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME orlenza.png)
endif()

# Debian package. The MIME, desktop and icon caches are refreshed by the dpkg triggers of
# shared-mime-info, desktop-file-utils and hicolor-icon-theme, so no maintainer scripts are needed.
set(ORLENZA_PACKAGE_MAINTAINER "Orlenza developers <orlenza@example.org>"
  CACHE STRING "Maintainer field of the Debian package")
set(CPACK_PACKAGE_NAME orlenza)
set(CPACK_PACKAGE_VENDOR "Orlenza")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "studio for generative images: fractals, attractors, textures, movies")
set(CPACK_PACKAGE_DESCRIPTION
  "Orlenza draws escape-time fractals from a formula you type, basins of
Halley's method, biomorphs, attractors of planar maps, orbit fractals,
mandalas, noise textures, phase-plane portraits, grids and curves. Pictures
are explored by zooming and random parameters, kept in snapshot files and
morphed into one another to make movies.
.
This package holds the Qt studio, orlenza, and the headless renderer,
orlenza-render, which renders pictures to PNG and timelines to QuickTime
movies from scripts and batch jobs.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ORLENZA_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolbar's SVG icons are drawn by a Qt plug-in that nothing links, so shlibdeps cannot see it.
if(TARGET orlenza)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6 (>= 6.4)")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, hicolor-icon-theme")
# Without it the studio runs on Wayland through XWayland.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-wayland")
include(CPack)
