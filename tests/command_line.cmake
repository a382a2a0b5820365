# The command line: cmake -DSKYREND=path -P command_line.cmake. --help and --version answer and
# exit 0; a mistake gives one line on stderr and exit 2. No display is offered, so a run that
# tried to open a window would fail another way.
function(run expect_rc)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb
                          ${SKYREND} ${ARGN}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc STREQUAL expect_rc)
    message(FATAL_ERROR "skyrend ${ARGN}: exit ${rc}, not ${expect_rc}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

run(0 --help)
foreach(option --help --version --lang --scale --pace --no-autopause --classic-motion --record --replay --watch --scenario --scenario-out --share --page)
  if(NOT out MATCHES "\n  [^\n]*${option}[ ,][^\n]*[a-z][^\n]*\\.\n")
    message(FATAL_ERROR "--help has no line of its own for ${option}:\n${out}")
  endif()
endforeach()

run(0 --version)
if(NOT out STREQUAL "skyrend 1.0.3\n")
  message(FATAL_ERROR "--version printed '${out}'")
endif()

# --share prints the page's address with the recording after #watch=, for a file that plays.
set(rec ${CMAKE_CURRENT_LIST_DIR}/replays/ep1_bombs_pause_left_open.replay)
run(0 --share ${rec})
if(NOT out MATCHES "^http://localhost:8000/#watch=[-_A-Za-z0-9]+\n$")
  message(FATAL_ERROR "--share printed '${out}'")
endif()
run(0 --share ${rec} --page http://127.0.0.1:8123/skyrend/)
if(NOT out MATCHES "^http://127.0.0.1:8123/skyrend/#watch=")
  message(FATAL_ERROR "--share --page printed '${out}'")
endif()

# A recording of a newer format is refused before any window, naming both formats.
set(newer ${CMAKE_CURRENT_BINARY_DIR}/newer-format.replay)
file(WRITE ${newer} "skyrend-replay 9\ngame 9.0.0\n")
run(2 --watch ${newer})
if(NOT err MATCHES "format 9, newer than this game \\(skyrend 1.0.3\\) reads, format 2")
  message(FATAL_ERROR "--watch of a newer format: '${err}'")
endif()
foreach(bad "--no-such-option" "--scale" "--scale;0" "--scale;1000" "--pace;fast" "--lang;xx" "stray"
            "--page;http://127.0.0.1/" "--share;${rec};--page;ftp://127.0.0.1/" "--share;${rec};--page;http://h/#x"
            "--share;${rec};--replay;${rec}" "--share;${CMAKE_CURRENT_LIST_FILE}" "--share;/no/such/file"
            "--watch;${rec};--replay;${rec}" "--watch;/no/such/file" "--watch;${newer}")
  run(2 ${bad})
  string(REGEX MATCHALL "\n" lines "${err}")
  list(LENGTH lines n)
  if(NOT n EQUAL 1 OR NOT out STREQUAL "")
    message(FATAL_ERROR "skyrend ${bad}: not one line on stderr:\n${out}${err}")
  endif()
endforeach()
run(2 --page http://127.0.0.1/)
if(NOT err MATCHES "--share")
  message(FATAL_ERROR "--page alone: '${err}'")
endif()
