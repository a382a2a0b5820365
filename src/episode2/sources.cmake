# Episode 2, rescue and dogfight: its screen, missiles and the F16, collisions, rescues, scenery.
target_sources(skycore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/form2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/missiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/collisions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rescue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scenery.cpp)
