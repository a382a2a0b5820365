target_sources(skycore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/form1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bombs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/collisions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/airport.cpp)
