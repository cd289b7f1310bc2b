# The libFuzzer target of the map reader, defined where this file is included:
# by fuzz/CMakeLists.txt when KRAMBOL_FUZZ is on, or by FuzzHook.cmake. Built
# only with clang; tools/fuzz.sh configures such a build and runs it.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(WARNING "KRAMBOL_FUZZ needs clang; the fuzz targets are not built")
  return()
endif()

# The game libraries the reader runs through get the fuzzer's coverage
# instrumentation. Clang has no CP1251 execution character set, so in this
# build their narrow literals stay UTF-8; only the error log's texts differ.
set(FUZZED_LIBRARIES world algo shell toolkit graphics screens platform platform_gdiplus platform_user)
foreach(library ${FUZZED_LIBRARIES})
  if(TARGET ${library})
    get_target_property(type ${library} TYPE)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(options ${library} COMPILE_OPTIONS)
      if(options)
        list(REMOVE_ITEM options -fexec-charset=CP1251)
        set_property(TARGET ${library} PROPERTY COMPILE_OPTIONS ${options})
      endif()
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
