target_sources(skycore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/controls.cpp ${CMAKE_CURRENT_LIST_DIR}/drawlist.cpp
                               ${CMAKE_CURRENT_LIST_DIR}/input.cpp
                               ${CMAKE_CURRENT_LIST_DIR}/keys.cpp ${CMAKE_CURRENT_LIST_DIR}/screens.cpp
                               ${CMAKE_CURRENT_LIST_DIR}/helppage.cpp
                               ${CMAKE_CURRENT_LIST_DIR}/recording.cpp
                               ${CMAKE_CURRENT_LIST_DIR}/watch.cpp)
