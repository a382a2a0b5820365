# Runs one scenario file in a fresh working directory. A file NAME.dat beside NAME.scn is
# copied in as new.dat first; otherwise the run starts without a progress file.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(dir ${SCN} DIRECTORY)
get_filename_component(stem ${SCN} NAME_WE)
if(EXISTS ${dir}/${stem}.dat)
  file(COPY_FILE ${dir}/${stem}.dat ${WORK}/new.dat)
endif()
execute_process(COMMAND ${SKYREND} --scenario ${SCN} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "scenario ${SCN} exited with ${rc}")
endif()
