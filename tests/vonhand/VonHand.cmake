# Runs a test program as a developer runs it by hand: without a display, without
# QT_QPA_PLATFORM and without the suite's home, with HOME in a folder of its own; fails when
# it fails, when its output holds a line of the offscreen platform's, or when anything was
# written into that HOME or the XDG folders under it. Run as
#   cmake -DPROGRAMM=<test program> -DHOME_DIR=<folder> [-DFILTER=<gtest filter>] -P VonHand.cmake
file(REMOVE_RECURSE "${HOME_DIR}")
file(MAKE_DIRECTORY "${HOME_DIR}")
set(argumente)
if(FILTER)
  set(argumente "--gtest_filter=${FILTER}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
    --unset=MIRAVAL_TEST_HOME --unset=XDG_CONFIG_HOME --unset=XDG_CACHE_HOME --unset=XDG_DATA_HOME
    --unset=XDG_STATE_HOME "HOME=${HOME_DIR}" "${PROGRAMM}" ${argumente}
  OUTPUT_VARIABLE ausgabe ERROR_VARIABLE ausgabe RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${PROGRAMM} ended with ${rc} without a display:\n${ausgabe}")
endif()
string(REGEX MATCHALL "This plugin does not support[^\n]*" laerm "${ausgabe}")
list(LENGTH laerm anzahl)
if(anzahl GREATER 0)
  list(GET laerm 0 erste)
  message(FATAL_ERROR "${PROGRAMM} said ${anzahl} lines of the offscreen platform's, the first: ${erste}")
endif()
file(GLOB_RECURSE geschrieben LIST_DIRECTORIES true RELATIVE "${HOME_DIR}" "${HOME_DIR}/*")
file(REMOVE_RECURSE "${HOME_DIR}")
if(geschrieben)
  list(JOIN geschrieben "\n  " liste)
  message(FATAL_ERROR "${PROGRAMM} run by hand wrote into its HOME:\n  ${liste}")
endif()
