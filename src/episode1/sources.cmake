# Episode 1, the bombing run: its screen, bombs, collisions, the airport stop and its scenery.
target_sources(skycore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/form1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bombs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/collisions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/airport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scenery.cpp)
