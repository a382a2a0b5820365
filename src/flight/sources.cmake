# The flight engine both episodes share: the pilot's keys, the attitude, the world scroll's steps.
target_sources(skycore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/pilot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/attitude.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scroll.cpp)
