# The plain runtime under everything: virtual-time timers, random numbers, number text, texts.
target_sources(skycore PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/scheduler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/random.cpp
  ${CMAKE_CURRENT_LIST_DIR}/numtext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quote.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text.cpp)

# The text catalogue, compiled in: its ids and its table are made from texts.po at build time.
set(SKY_TEXT_OUT ${CMAKE_BINARY_DIR}/generated/runtime)
set(SKY_TEXT_GENERATOR ${CMAKE_CURRENT_LIST_DIR}/../../cmake/textcatalogue.cmake)
add_custom_command(
  OUTPUT ${SKY_TEXT_OUT}/textids.h ${SKY_TEXT_OUT}/textcatalogue.cpp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${SKY_TEXT_OUT}
  COMMAND ${CMAKE_COMMAND} -DPO=${CMAKE_CURRENT_LIST_DIR}/texts.po -DHEADER=${SKY_TEXT_OUT}/textids.h
          -DSOURCE=${SKY_TEXT_OUT}/textcatalogue.cpp -P ${SKY_TEXT_GENERATOR}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/texts.po ${SKY_TEXT_GENERATOR}
  COMMENT "Compiling the text catalogue" VERBATIM)
target_sources(skycore PRIVATE ${SKY_TEXT_OUT}/textcatalogue.cpp ${SKY_TEXT_OUT}/textids.h)
target_include_directories(skycore PUBLIC ${CMAKE_BINARY_DIR}/generated)
