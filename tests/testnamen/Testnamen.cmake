# Lists the tests of a build tree with ctest -N and fails naming every test whose name holds
# a blank, "#", "GetParam()" or "-byte object" (what a printed parameter brings in:
# "# GetParam() = 104-byte object <...>") or ends in a row's index ("/3": a TEST_P
# instantiated without a name generator). Run as
#   cmake -DCTEST=<ctest> -DBUILD=<build tree> -P Testnamen.cmake
execute_process(COMMAND "${CTEST}" -N WORKING_DIRECTORY "${BUILD}"
  OUTPUT_VARIABLE ausgabe ERROR_VARIABLE fehlerausgabe RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "ctest -N failed in ${BUILD}: ${fehlerausgabe}")
endif()

string(REGEX MATCHALL "Test +#[0-9]+: [^\n]*" zeilen "${ausgabe}")
list(LENGTH zeilen anzahl)
if(anzahl EQUAL 0)
  message(FATAL_ERROR "ctest -N lists no test in ${BUILD}")
endif()
set(fehler "")
set(unlesbar 0)
foreach(zeile IN LISTS zeilen)
  string(REGEX REPLACE "^Test +#[0-9]+: " "" name "${zeile}")
  if(name MATCHES "[ #]|GetParam\\(\\)|-byte object|/[0-9]+$")
    math(EXPR unlesbar "${unlesbar} + 1")
    if(unlesbar LESS_EQUAL 20)
      string(APPEND fehler "  ${name}\n")
    endif()
  endif()
endforeach()

if(unlesbar GREATER 0)
  message(FATAL_ERROR "${unlesbar} of ${anzahl} test names hold a printed parameter, a blank or "
    "a row's index (the first ones):\n${fehler}")
endif()
message(STATUS "${anzahl} test names, none with a blank, a printed parameter or a row's index")
