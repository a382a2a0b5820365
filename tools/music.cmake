# The background music and the sound effects, rendered at build time into the build directory,
# where the game looks for them. Include from the top-level CMakeLists.txt.
#
# musicgen renders Music.wav from the score in src/assets/music.cpp.
add_executable(musicgen ${CMAKE_CURRENT_LIST_DIR}/musicgen.cpp ${CMAKE_CURRENT_LIST_DIR}/../src/assets/music.cpp)
target_include_directories(musicgen PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../src)

add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/Music.wav
  COMMAND musicgen ${CMAKE_BINARY_DIR}/Music.wav
  DEPENDS musicgen
  COMMENT "Rendering Music.wav"
  VERBATIM)
add_custom_target(music_wav ALL DEPENDS ${CMAKE_BINARY_DIR}/Music.wav)

# soundgen renders sounds/NAME.wav, one per cue (the names are the game's cue names), from the
# recipes in src/assets/sounds.cpp.
add_executable(soundgen ${CMAKE_CURRENT_LIST_DIR}/soundgen.cpp ${CMAKE_CURRENT_LIST_DIR}/../src/assets/music.cpp
                        ${CMAKE_CURRENT_LIST_DIR}/../src/assets/sounds.cpp)
target_include_directories(soundgen PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../src)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/sounds/rendered.stamp
  COMMAND soundgen ${CMAKE_BINARY_DIR}/sounds
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/sounds/rendered.stamp
  DEPENDS soundgen
  COMMENT "Rendering the sound effects"
  VERBATIM)
add_custom_target(sound_wavs ALL DEPENDS ${CMAKE_BINARY_DIR}/sounds/rendered.stamp)
