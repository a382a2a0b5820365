# The shell: progress file, menu, program, rules and about screens.
target_sources(skycore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/progress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/savefile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/filelock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program.cpp
  ${CMAKE_CURRENT_LIST_DIR}/infile.cpp)
target_sources(skycore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/registry.cpp)
target_sources(skycore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/pravidla.cpp)
target_sources(skycore PRIVATE ${CMAKE_CURRENT_LIST_DIR}/about.cpp)
# The version header comes from project(VERSION) and lives in the build tree.
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${CMAKE_CURRENT_BINARY_DIR}/generated/shell/version.h @ONLY)
target_include_directories(skycore PUBLIC ${CMAKE_CURRENT_BINARY_DIR}/generated)
