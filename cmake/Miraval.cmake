# Helpers shared by every folder's CMakeLists.txt.
#
# Sources are collected per folder with CONFIGURE_DEPENDS globs, so adding a unit to a
# folder needs no edit of a build file.

# miraval_platform_layer(<name> [DEPS <targets>...])
# A platform stand-in as a shared library "pl_<name>". Layers that keep process-wide state
# (window registry, message queue, hooks, trace log) must exist once per process, which is
# why every layer is a shared library and never linked statically into a deliverable.
function(miraval_platform_layer name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(srcs)
    add_library(pl_${name} SHARED ${srcs})
    target_link_libraries(pl_${name} PUBLIC ${ARG_DEPS})
  else()
    # A layer that is headers only (so far).
    add_library(pl_${name} INTERFACE)
    target_link_libraries(pl_${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# miraval_discover_tests(<target> [PROPERTIES ...])
# Registers a GoogleTest executable's tests with CTest. A parameterised test is named by its
# row's name ("Suite/Test.Case/RowName"): the value's printed form, which CMake otherwise puts
# into the name (a byte dump for a struct, different in every build), stays out, so that
# ctest -R and --rerun-failed can name every test. tests/testnamen checks it.
#
# Every test it registers runs in the suite's own home (miraval_test_home).
function(miraval_discover_tests target)
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES TEST_LIST ${target}_TESTS ${ARGN})
  # The tests are known only when CTest reads the list the build wrote: the home is given to
  # them from an include file read after that list (gtest_discover_tests's PROPERTIES cannot
  # carry a value that is a list).
  set(datei "${CMAKE_CURRENT_BINARY_DIR}/${target}_home.cmake")
  file(WRITE "${datei}" "if(${target}_TESTS)\n  set_tests_properties(\${${target}_TESTS} PROPERTIES\n"
    "    ENVIRONMENT_MODIFICATION \"${MIRAVAL_TEST_HOME_ENV}\" FIXTURES_REQUIRED MiravalTestHome)\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${datei}")
endfunction()

# The suite's own home: every test runs with HOME and the XDG folders in the build tree
# (build/test-home/), so that nothing the suite runs (Qt's file dialog history, the window
# manager of the end-to-end suite, ...) writes into the home of whoever runs it. HOME itself
# stays empty: tests/testhome makes the folders before the first test and fails after the
# last when anything was written into HOME or a test ran without it.
set(MIRAVAL_TEST_HOME "${CMAKE_BINARY_DIR}/test-home")
set(MIRAVAL_TEST_HOME_ENV "HOME=set:${MIRAVAL_TEST_HOME}/home")
foreach(xdg CONFIG CACHE DATA STATE)
  string(TOLOWER ${xdg} ordner)
  list(APPEND MIRAVAL_TEST_HOME_ENV "XDG_${xdg}_HOME=set:${MIRAVAL_TEST_HOME}/${ordner}")
endforeach()
# Tells a test program that the suite gave it its home; run by hand it makes one of its own
# (tests/support/VonHandHome.h).
list(APPEND MIRAVAL_TEST_HOME_ENV "MIRAVAL_TEST_HOME=set:${MIRAVAL_TEST_HOME}")

# miraval_test_home(<test>...)
# Gives tests registered with add_test in the calling folder the suite's own home.
function(miraval_test_home)
  set_tests_properties(${ARGN} PROPERTIES ENVIRONMENT_MODIFICATION "${MIRAVAL_TEST_HOME_ENV}"
    FIXTURES_REQUIRED MiravalTestHome)
endfunction()

# miraval_test(<name> <folder> LIBS <targets>...)
# One GoogleTest executable per test folder; every .cpp of the folder goes in.
function(miraval_test name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE MIRAVAL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  miraval_discover_tests(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# miraval_qt_test(<name> LIBS <targets>...)
# A GoogleTest executable of a folder whose tests open windows: Qt's offscreen platform, the
# shared main that makes the QApplication (tests/support/qt), screenshots of the views under
# build/test-artefacts/ (MIRAVAL_ARTEFACT_DIR).
function(miraval_qt_test name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  find_package(Qt6 REQUIRED COMPONENTS Widgets Test)
  add_executable(${name} ${srcs} ${CMAKE_SOURCE_DIR}/tests/support/qt/QtTestMain.cpp)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Widgets Qt6::Test GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE MIRAVAL_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    MIRAVAL_ARTEFACT_DIR="${CMAKE_BINARY_DIR}/test-artefacts")
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  miraval_discover_tests(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# miraval_string_table(<target> <tsv file> <function name>)
# Compiles a string table (lines "id<TAB>text", "\n" and "\r" written as two characters) into
# the target as the function `const TStringTable& <function name>()`.
function(miraval_string_table target tsv fn)
  file(READ ${tsv} content)
  set(out ${CMAKE_BINARY_DIR}/generated/${fn}.cpp)
  set(text "// Generated from ${tsv}; do not edit.\n#include \"win32/StringTable.h\"\n\nconst TStringTable& ${fn}()\n{\n    static const TStringTable table = TStringTable::FromTsv(R\"__tsv__(${content})__tsv__\");\n    return table;\n}\n")
  file(CONFIGURE OUTPUT ${out} CONTENT "${text}" @ONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${tsv})
  target_sources(${target} PRIVATE ${out})
endfunction()
