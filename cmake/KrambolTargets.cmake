# Helpers shared by the folders' CMakeLists.

# Game code: its narrow literals (the error log, the window title) are CP1251,
# as on a Russian Windows; wide literals stay wide.
function(krambol_game_code target)
  # Clang knows no other execution character set than UTF-8; only its fuzz
  # builds use it, where the log texts' encoding does not matter.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(${target} PRIVATE -fexec-charset=CP1251)
  endif()
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

# One static library per source folder.
function(krambol_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  if(NOT ARG_SOURCES)
    # A folder not written yet: nothing to compile, only its include path and links.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPENDS})
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  krambol_game_code(${name})
  # Folders call each other both ways (the toolkit reads the application object,
  # the shell drives the toolkit); CMake repeats static libraries to resolve that.
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
endfunction()

# One GoogleTest executable per test folder, each test registered with CTest.
function(krambol_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  krambol_game_code(${name})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest GTest::gtest_main)
  if(NOT WIN32)
    # The tests built for Windows use no GoogleMock, so its sources compile only here.
    target_link_libraries(${name} PRIVATE GTest::gmock)
  endif()
  if(CMAKE_CROSSCOMPILING)
    # The test programs built for Windows are lightly optimised: they check the
    # same, and compile in about half the time. The game's code they link is
    # the executables' own, as optimised as they are.
    target_compile_options(${name} PRIVATE -O1)
  else()
    # Tests that load images read the generated res/ tree.
    add_dependencies(${name} krambol_art)
    gtest_discover_tests(${name} TEST_PREFIX "${name}." WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR} DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "KRAMBOL_RES_DIR=${PROJECT_BINARY_DIR}/res")
  endif()
endfunction()
