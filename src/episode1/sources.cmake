# Episode 1, the bombing run: its screen, bombs, collisions and the airport stop.
target_sources(skycore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/form1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bombs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/collisions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/airport.cpp)
