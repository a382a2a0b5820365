target_sources(skycore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/input.cpp)
