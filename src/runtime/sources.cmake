# The plain runtime under everything: virtual-time timers, random numbers, number text.
target_sources(skycore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/scheduler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/random.cpp
  ${CMAKE_CURRENT_LIST_DIR}/numtext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quote.cpp)
