# Installing the game and packaging it for Debian (cpack -G DEB). Include from the top-level
# CMakeLists.txt, after the game, the music and the icons are defined.
#
# The layout is fixed (bin/, share/): the desktop launcher finds the music relative to itself.

set(SKY_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR}/../packaging)

install(TARGETS skyrend RUNTIME DESTINATION bin)
install(PROGRAMS ${SKY_PACKAGING_DIR}/skyrend-desktop DESTINATION bin)
install(FILES ${CMAKE_BINARY_DIR}/Music.wav DESTINATION share/skyrend)
install(DIRECTORY ${CMAKE_BINARY_DIR}/sounds/ DESTINATION share/skyrend/sounds FILES_MATCHING PATTERN "*.wav")
install(FILES ${SKY_PACKAGING_DIR}/skyrend.desktop DESTINATION share/applications)
install(FILES ${SKY_PACKAGING_DIR}/org.example.skyrend.metainfo.xml DESTINATION share/metainfo)
foreach(size ${SKY_ICON_SIZES})
  install(FILES ${CMAKE_BINARY_DIR}/icons/${size}x${size}/skyrend.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()


# The manual pages and the Debian changelog are installed compressed, as a distribution keeps
# them; the copyright file (the licence, machine-readable) stays plain text.
find_program(SKY_GZIP gzip REQUIRED)
set(SKY_DOC_FILES)
foreach(src skyrend.6 skyrend-desktop.6 changelog)
  set(gz ${CMAKE_BINARY_DIR}/packaging/${src}.gz)
  add_custom_command(
    OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${SKY_GZIP} -9n -c ${SKY_PACKAGING_DIR}/${src} > ${gz}
    DEPENDS ${SKY_PACKAGING_DIR}/${src}
    VERBATIM)
  list(APPEND SKY_DOC_FILES ${gz})
endforeach()
add_custom_target(skyrend_docs ALL DEPENDS ${SKY_DOC_FILES})
install(FILES ${CMAKE_BINARY_DIR}/packaging/skyrend.6.gz ${CMAKE_BINARY_DIR}/packaging/skyrend-desktop.6.gz
        DESTINATION share/man/man6)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION share/doc/skyrend)
install(FILES ${SKY_PACKAGING_DIR}/copyright DESTINATION share/doc/skyrend)

set(CPACK_PACKAGE_NAME skyrend)
set(CPACK_PACKAGE_VENDOR "Skyrend")
set(CPACK_PACKAGE_CONTACT "Skyrend developers <skyrend@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "side-scrolling 2-D flight game in Slovak")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Skyrend developers <skyrend@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_PRE_BUILD_SCRIPTS ${SKY_PACKAGING_DIR}/debian_games.cmake)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Fly the jump-jet Dravik low over scrolling scenery. In the first episode
bomb houses, collect stars, keep birds out of the turbines and land at the
airport for bombs, fuel and repairs; in the second rescue the people waiting
on the lighthouses and shoot down the F16 that fires back.

Start it from the desktop menu (progress is kept in ~/.local/share/skyrend)
or as skyrend from a terminal (progress is kept in the working directory).")
# The libraries come from the binary; the window-system plugins, the font it draws its texts in and
# Qt's own Slovak (the message boxes' Áno/Nie) are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core, qt6-translations-l10n")
include(CPack)

if(SKY_BUILD_TESTS)
  # Installs into a scratch prefix and runs the launcher with a stand-in for the game.
  add_test(NAME install.layout
           COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DWORK=${CMAKE_BINARY_DIR}/install-check
                   "-DSIZES=${SKY_ICON_SIZES}" -P ${SKY_PACKAGING_DIR}/install_check.cmake)
  # Software centres list the game from its metainfo.
  find_program(SKY_APPSTREAMCLI appstreamcli REQUIRED)
  add_test(NAME install.metainfo
           COMMAND ${SKY_APPSTREAMCLI} validate --no-net ${SKY_PACKAGING_DIR}/org.example.skyrend.metainfo.xml)
endif()
