# The pictures and the music, drawn and composed in code, and the wave files read from the disk.
target_sources(skycore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/music.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sounds.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wavestream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pixelart.cpp
  ${CMAKE_CURRENT_LIST_DIR}/paintkit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scenery.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shellart.cpp)
