# The libFuzzer target of the map reader, built only with clang when
# KRAMBOL_FUZZ is on; tools/fuzz.sh configures such a build and runs it.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(WARNING "KRAMBOL_FUZZ needs clang; the fuzz targets are not built")
  return()
endif()

# The game libraries the reader runs through get the fuzzer's coverage instrumentation.
set(FUZZED_LIBRARIES world algo shell toolkit graphics screens platform_kernel32 platform_winmm
    platform_display platform_user32 platform_gdiplus net)
foreach(library ${FUZZED_LIBRARIES})
  if(TARGET ${library})
    get_target_property(type ${library} TYPE)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      target_compile_options(${library} PRIVATE -fsanitize=fuzzer-no-link)
    endif()
  endif()
endforeach()

add_executable(MapReader_fuzz ${CMAKE_CURRENT_LIST_DIR}/MapReader.fuzz.cpp)
target_include_directories(MapReader_fuzz PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_compile_options(MapReader_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(MapReader_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(MapReader_fuzz PRIVATE world)
# Always in <build>/fuzz, wherever the target was defined.
set_target_properties(MapReader_fuzz PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/fuzz)

# The network protocol's decoder: the bytes a peer sends.
add_executable(NetDecoder_fuzz ${CMAKE_CURRENT_LIST_DIR}/NetDecoder.fuzz.cpp)
target_include_directories(NetDecoder_fuzz PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_compile_options(NetDecoder_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_options(NetDecoder_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(NetDecoder_fuzz PRIVATE net)
set_target_properties(NetDecoder_fuzz PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/fuzz)
