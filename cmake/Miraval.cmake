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
function(miraval_discover_tests target)
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES ${ARGN})
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
