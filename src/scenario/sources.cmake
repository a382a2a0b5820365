# The scenario runner and the command line's headless runs.
target_sources(skycore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/runner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sharecode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/blackbox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/headless.cpp)
