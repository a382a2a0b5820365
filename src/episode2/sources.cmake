target_sources(skycore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/form2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/missiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/collisions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rescue.cpp)
