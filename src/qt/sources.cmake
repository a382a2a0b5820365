# The Qt front end (windows, painting, message boxes, sound, the driver) and the executable.
set(CMAKE_AUTOMOC ON)
file(GLOB SKY_QT_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
list(REMOVE_ITEM SKY_QT_SOURCES ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
add_library(skyqt STATIC ${SKY_QT_SOURCES})
target_include_directories(skyqt PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(skyqt PUBLIC skycore Qt6::Widgets Qt6::Multimedia)

add_executable(skyrend ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(skyrend PRIVATE skyqt skycore)

# Gamepads: SDL2's headers when they are there (the game builds without them, with no gamepads);
# the library itself is loaded when the game starts, so a player without it loses nothing else.
option(SKY_GAMEPAD "Gamepads through SDL2, when its headers are found" ON)
if(SKY_GAMEPAD)
  find_path(SKY_SDL2_INCLUDE SDL.h PATH_SUFFIXES SDL2)
endif()
if(SKY_GAMEPAD AND SKY_SDL2_INCLUDE)
  target_include_directories(skyqt PRIVATE ${SKY_SDL2_INCLUDE})
  target_compile_definitions(skyqt PRIVATE SKY_HAVE_SDL)
  target_link_libraries(skyqt PRIVATE ${CMAKE_DL_LIBS})
  set(SKY_HAVE_SDL ON CACHE INTERNAL "")
else()
  message(STATUS "SDL2's headers not found: the game is built without gamepads")
  set(SKY_HAVE_SDL OFF CACHE INTERNAL "")
endif()
