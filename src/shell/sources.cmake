target_sources(skycore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/progress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program.cpp)
target_sources(skycore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/registry.cpp)
target_sources(skycore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/pravidla.cpp)
target_sources(skycore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/about.cpp)
