# The scenario runner and the recorded-game replay.
target_sources(skycore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/runner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/replay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sharecode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/blackbox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/headless.cpp
  ${CMAKE_CURRENT_LIST_DIR}/infile.cpp)
