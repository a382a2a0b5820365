# Checks an install of the build: cmake -DBUILD=dir -DWORK=scratch -DSIZES="32;256" -P install_check.cmake
# The files land where the desktop expects them, and the desktop launcher runs the game in the
# player's data directory with the music there (a stand-in replaces the game: no window opens).

function(fail)
  string(JOIN "" msg ${ARGN})
  message(FATAL_ERROR "${msg}")
endfunction()

file(REMOVE_RECURSE ${WORK})
set(prefix ${WORK}/prefix)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix} RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  fail("cmake --install failed: ${rc}")
endif()

foreach(f bin/skyrend bin/skyrend-desktop share/skyrend/Music.wav share/applications/skyrend.desktop
          share/man/man6/skyrend.6.gz share/doc/skyrend/copyright share/metainfo/org.example.skyrend.metainfo.xml)
  if(NOT EXISTS ${prefix}/${f})
    fail("not installed: ${f}")
  endif()
endforeach()
foreach(f bin/skyrend bin/skyrend-desktop)
  execute_process(COMMAND test -x ${prefix}/${f} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    fail("not executable: ${f}")
  endif()
endforeach()

file(READ ${prefix}/share/skyrend/Music.wav head LIMIT 12 HEX)
if(NOT head MATCHES "^52494646........57415645$")  # RIFF....WAVE
  fail("Music.wav is not a WAVE file: ${head}")
endif()

# Each icon is a PNG of its own size (width and height in the header).
foreach(size ${SIZES})
  set(png ${prefix}/share/icons/hicolor/${size}x${size}/apps/skyrend.png)
  if(NOT EXISTS ${png})
    fail("no icon ${size}x${size}")
  endif()
  file(READ ${png} head LIMIT 24 HEX)
  math(EXPR hexsize "${size}" OUTPUT_FORMAT HEXADECIMAL)
  string(SUBSTRING "${hexsize}" 2 -1 hexsize)
  string(LENGTH "${hexsize}" n)
  math(EXPR pad "8 - ${n}")
  string(REPEAT "0" ${pad} zeros)
  set(dim "${zeros}${hexsize}")
  if(NOT head STREQUAL "89504e470d0a1a0a0000000d49484452${dim}${dim}")
    fail("icon ${size}x${size} has the wrong header: ${head}")
  endif()
endforeach()

file(READ ${prefix}/share/applications/skyrend.desktop entry)
foreach(line "Name=Skyrend" "Icon=skyrend" "Exec=skyrend-desktop" "Categories=Game;ArcadeGame;" "Comment=" "Comment[sk]=")
  string(FIND "${entry}" "\n${line}" at)
  if(at EQUAL -1)
    fail("the desktop entry lacks ${line}")
  endif()
endforeach()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} ${prefix}/share/applications/skyrend.desktop RESULT_VARIABLE rc
                  OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    fail("desktop-file-validate: ${out}")
  endif()
endif()

# The launcher, with a stand-in game that reports where it runs, what it was given and whether
# the music is readable there, and leaves a progress file as the menu does when it closes.
file(WRITE ${prefix}/bin/skyrend
     "#!/bin/sh\npwd > ran\necho \"$*\" >> ran\n[ -r Music.wav ] && echo music >> ran\necho 0 > new.dat\n")
file(CHMOD ${prefix}/bin/skyrend PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
# Called through a link, as a launcher in another directory on the PATH may be.
file(MAKE_DIRECTORY ${WORK}/path)
file(CREATE_LINK ${prefix}/bin/skyrend-desktop ${WORK}/path/skyrend-desktop SYMBOLIC)

# Rows: the home directory (blanks included), XDG_DATA_HOME or none, the data directory expected,
# and a Music.wav the player already keeps there (it stays), or -.
set(home "${WORK}/home of player")
set(cases "default|${home}/.local/share/skyrend|-" "xdg|${WORK}/xdg data/skyrend|-" "own|${WORK}/own/skyrend|mine")
foreach(case ${cases})
  string(REPLACE "|" ";" case "${case}")
  list(GET case 0 name)
  list(GET case 1 data)
  list(GET case 2 own)
  if(own STREQUAL "-")
    set(own "")
  endif()
  set(env HOME=${home})
  if(name STREQUAL "default")
    list(APPEND env --unset=XDG_DATA_HOME)
  else()
    get_filename_component(xdg "${data}" DIRECTORY)
    list(APPEND env "XDG_DATA_HOME=${xdg}")
  endif()
  if(own)
    file(WRITE "${data}/Music.wav" "${own}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E env ${env} ${WORK}/path/skyrend-desktop --pace nominal
                  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    fail("${name}: the launcher failed (${rc}): ${err}")
  endif()
  if(NOT EXISTS "${data}/ran")
    fail("${name}: the game did not run in ${data}")
  endif()
  file(STRINGS "${data}/ran" ran)
  if(NOT ran STREQUAL "${data};--pace nominal;music")
    fail("${name}: the game saw ${ran}")
  endif()
  if(NOT EXISTS "${data}/new.dat")
    fail("${name}: no new.dat in ${data}")
  endif()
  file(READ "${data}/Music.wav" music LIMIT 4 HEX)
  if(own AND NOT music STREQUAL "6d696e65")  # mine
    fail("${name}: the player's Music.wav was replaced")
  elseif(NOT own AND NOT music STREQUAL "52494646")  # RIFF
    fail("${name}: Music.wav in ${data} is not the installed one")
  endif()
endforeach()
