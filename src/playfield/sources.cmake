# The game screen: its scene and timers, the dashboard, the animations.
target_sources(skycore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/gamescreen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dashboard_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dashboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/animations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/motion.cpp)
