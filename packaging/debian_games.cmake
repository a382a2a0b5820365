# Run by cpack before it packs the Debian package: Debian keeps the programs of games in
# /usr/games, so the staged bin/ moves there (the launcher finds the music as ../share either way).
set(stage "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(CPACK_GENERATOR STREQUAL "DEB" AND IS_DIRECTORY "${stage}/bin")
  file(RENAME "${stage}/bin" "${stage}/games")
endif()
