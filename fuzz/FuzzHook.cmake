# Included by tools/fuzz.sh through CMAKE_PROJECT_INCLUDE: defines the fuzz
# targets once the whole project is configured, unless the top level already did.
function(krambol_add_fuzz_targets)
  if(KRAMBOL_FUZZ AND NOT TARGET MapReader_fuzz)
    include(${PROJECT_SOURCE_DIR}/fuzz/FuzzTargets.cmake)
  endif()
endfunction()
cmake_language(DEFER CALL krambol_add_fuzz_targets)
