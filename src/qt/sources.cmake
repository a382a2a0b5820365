# The Qt front end (windows, painting, message boxes, sound, the driver) and the executable.
set(CMAKE_AUTOMOC ON)
file(GLOB SKY_QT_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
list(REMOVE_ITEM SKY_QT_SOURCES ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
add_library(skyqt STATIC ${SKY_QT_SOURCES})
# Stand-ins cover the music player and the rules and about windows only while their own
# sources are not there yet.
foreach(src ${SKY_QT_SOURCES})
  if(src MATCHES "pending_stubs")
    continue()
  endif()
  file(READ ${src} text)
  if(text MATCHES "MusicPlayer::command")
    set(SKY_HAVE_MUSIC_PLAYER ON)
  endif()
  if(text MATCHES "void closeInfoWindows\\(")
    set(SKY_HAVE_INFO_WINDOWS ON)
  endif()
endforeach()
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/pending_stubs.cpp)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/pending_stubs.cpp PROPERTIES COMPILE_DEFINITIONS
    "SKY_STUB_MUSIC=$<IF:$<BOOL:${SKY_HAVE_MUSIC_PLAYER}>,0,1>;SKY_STUB_INFO=$<IF:$<BOOL:${SKY_HAVE_INFO_WINDOWS}>,0,1>")
endif()
target_include_directories(skyqt PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(skyqt PUBLIC skycore Qt6::Widgets Qt6::Multimedia)

add_executable(skyrend ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(skyrend PRIVATE skyqt skycore)
