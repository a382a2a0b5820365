# Installing the game and packaging it for Debian (cpack -G DEB). Include from the top-level
# CMakeLists.txt, after the game, the music and the icons are defined.
#
# The layout is fixed (bin/, share/): the desktop launcher finds the music relative to itself.

set(SKY_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR}/../packaging)

install(TARGETS skyrend RUNTIME DESTINATION bin)
install(PROGRAMS ${SKY_PACKAGING_DIR}/skyrend-desktop DESTINATION bin)
install(FILES ${CMAKE_BINARY_DIR}/Music.wav DESTINATION share/skyrend)
install(FILES ${SKY_PACKAGING_DIR}/skyrend.desktop DESTINATION share/applications)
foreach(size ${SKY_ICON_SIZES})
  install(FILES ${CMAKE_BINARY_DIR}/icons/${size}x${size}/skyrend.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()

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
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Fly the jump-jet Dravik low over scrolling scenery. In the first episode
bomb houses, collect stars, keep birds out of the turbines and land at the
airport for bombs, fuel and repairs; in the second rescue the people waiting
on the lighthouses and shoot down the F16 that fires back.

Start it from the desktop menu (progress is kept in ~/.local/share/skyrend)
or as skyrend from a terminal (progress is kept in the working directory).")
# The libraries come from the binary; the window-system plugins and the font it draws its texts
# in are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
include(CPack)

if(SKY_BUILD_TESTS)
  # Installs into a scratch prefix and runs the launcher with a stand-in for the game.
  add_test(NAME install.layout
           COMMAND ${CMAKE_COMMAND} -DBUILD=${CMAKE_BINARY_DIR} -DWORK=${CMAKE_BINARY_DIR}/install-check
                   "-DSIZES=${SKY_ICON_SIZES}" -P ${SKY_PACKAGING_DIR}/install_check.cmake)
endif()
