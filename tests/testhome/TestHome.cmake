# The suite's own home. Run as
#   cmake -DHOME_ROOT=<folder> -DSCHRITT=anlegen -P TestHome.cmake
#     HOME_ROOT/home empty, beside it the XDG folders (config, cache, data, state) empty;
#   cmake -DHOME_ROOT=<folder> -DSCHRITT=pruefen -DCTEST=<ctest> -DBUILD=<build tree> -P TestHome.cmake
#     fails naming what was written into HOME_ROOT/home, and when any test of the build tree
#     does not run with HOME there (it would write into the home of whoever runs the suite).
set(home "${HOME_ROOT}/home")
if(SCHRITT STREQUAL "anlegen")
  file(REMOVE_RECURSE "${HOME_ROOT}")
  foreach(ordner home config cache data state)
    file(MAKE_DIRECTORY "${HOME_ROOT}/${ordner}")
  endforeach()
  return()
endif()

file(GLOB_RECURSE geschrieben LIST_DIRECTORIES true RELATIVE "${home}" "${home}/*")
if(geschrieben)
  list(JOIN geschrieben "\n  " liste)
  message(FATAL_ERROR "the tests wrote into their HOME (${home}) instead of the XDG folders:\n  ${liste}")
endif()

execute_process(COMMAND "${CTEST}" -N WORKING_DIRECTORY "${BUILD}" OUTPUT_VARIABLE liste RESULT_VARIABLE rc)
execute_process(COMMAND "${CTEST}" --show-only=json-v1 WORKING_DIRECTORY "${BUILD}"
  OUTPUT_VARIABLE json RESULT_VARIABLE rcJson)
if(NOT rc EQUAL 0 OR NOT rcJson EQUAL 0)
  message(FATAL_ERROR "ctest -N or --show-only failed in ${BUILD}")
endif()
# Each test with the home names HOME once.
string(REGEX MATCHALL "Test +#[0-9]+:" tests "${liste}")
string(REGEX MATCHALL "\"HOME=set:${home}\"" mitHome "${json}")
list(LENGTH tests anzahl)
list(LENGTH mitHome mit)
if(NOT mit EQUAL anzahl)
  math(EXPR ohne "${anzahl} - ${mit}")
  message(FATAL_ERROR "${ohne} of ${anzahl} tests run without HOME at ${home} (see ctest --show-only=json-v1; "
    "miraval_test_home in cmake/Miraval.cmake gives it)")
endif()
message(STATUS "${anzahl} tests ran with HOME at ${home}, which stays empty")
