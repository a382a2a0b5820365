# The background music: musicgen renders Music.wav from the score in src/assets/music.cpp into
# the build directory, where the game looks for it. Include from the top-level CMakeLists.txt.
add_executable(musicgen ${CMAKE_CURRENT_LIST_DIR}/musicgen.cpp ${CMAKE_CURRENT_LIST_DIR}/../src/assets/music.cpp)
target_include_directories(musicgen PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../src)

add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/Music.wav
  COMMAND musicgen ${CMAKE_BINARY_DIR}/Music.wav
  DEPENDS musicgen
  COMMENT "Rendering Music.wav"
  VERBATIM)
add_custom_target(music_wav ALL DEPENDS ${CMAKE_BINARY_DIR}/Music.wav)
