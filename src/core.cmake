# The game core: plain C++, no Qt, no clock. Each folder adds its own files. The desktop build
# and the browser build (web/) both include this.
add_library(skycore STATIC)
target_include_directories(skycore PUBLIC ${CMAKE_CURRENT_LIST_DIR})
foreach(dir runtime assets shell playfield flight episode1 episode2 game scenario)
  include(${CMAKE_CURRENT_LIST_DIR}/${dir}/sources.cmake)
endforeach()
