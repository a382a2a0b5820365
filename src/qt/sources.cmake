# The Qt front end (windows, painting, message boxes, sound, the driver) and the executable.
set(CMAKE_AUTOMOC ON)
add_library(skyqt STATIC
  ${CMAKE_CURRENT_LIST_DIR}/app.cpp)
target_include_directories(skyqt PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(skyqt PUBLIC skycore Qt6::Widgets Qt6::Multimedia)

add_executable(skyrend ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(skyrend PRIVATE skyqt skycore)
