# The libFuzzer targets, built only with clang when KRAMBOL_FUZZ is on;
# tools/fuzz.sh configures such a build and runs them.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(WARNING "KRAMBOL_FUZZ needs clang; the fuzz targets are not built")
  return()
endif()

# The libraries whose code the targets fuzz get the fuzzer's coverage
# instrumentation; the rest (the textures' decoding at start-up, the platform)
# run under the sanitizers alone, which keeps the search on the parsers and
# each run's start short. A new target adds the library of its parser here.
set(FUZZED_LIBRARIES world net)
foreach(library ${FUZZED_LIBRARIES})
  if(TARGET ${library})
    get_target_property(type ${library} TYPE)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      target_compile_options(${library} PRIVATE -fsanitize=fuzzer-no-link)
    endif()
  endif()
endforeach()

# One program per fuzz target, each always in <build>/fuzz wherever it was
# defined; tools/fuzz.sh lists which to run, with their corpora and dictionaries.
function(krambol_fuzz_target name source)
  add_executable(${name} ${source})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/fuzz)
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${ARGN})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/fuzz)
endfunction()

# The whole game's reading: the world built with its textures, written and read back.
krambol_fuzz_target(MapReader_fuzz ${CMAKE_CURRENT_LIST_DIR}/MapReader.fuzz.cpp world)
# The map reader alone: the file's record, no texture, window or world.
krambol_fuzz_target(MapRecord_fuzz ${CMAKE_CURRENT_LIST_DIR}/MapRecord.fuzz.cpp world)
# The network protocol's decoder: the bytes a peer sends.
krambol_fuzz_target(NetDecoder_fuzz ${CMAKE_CURRENT_LIST_DIR}/NetDecoder.fuzz.cpp net)
