# Runs a test program without a display and without QT_QPA_PLATFORM; fails when it fails or
# when its output holds a line of the offscreen platform's. Run as
#   cmake -DPROGRAMM=<test program> -P VonHand.cmake
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
    "${PROGRAMM}"
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
