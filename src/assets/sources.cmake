target_sources(skycore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/music.cpp)
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/pictures.cpp)
  target_sources(skycore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/pictures.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pixelart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/paintkit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/scenery.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shellart.cpp)
else()
  target_sources(skycore PRIVATE ${CMAKE_BINARY_DIR}/placeholder_pictures.cpp)
endif()
