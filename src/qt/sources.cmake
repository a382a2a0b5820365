# The Qt front end (windows, painting, message boxes, sound, the driver) and the executable.
set(CMAKE_AUTOMOC ON)
file(GLOB SKY_QT_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
list(REMOVE_ITEM SKY_QT_SOURCES ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
add_library(skyqt STATIC ${SKY_QT_SOURCES})
target_include_directories(skyqt PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(skyqt PUBLIC skycore Qt6::Widgets Qt6::Multimedia)

add_executable(skyrend ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(skyrend PRIVATE skyqt skycore)
