# Fails when a source file differs from the house style in .clang-format.
# Run as: cmake -DSOURCE_DIR=<tree> -DCLANG_FORMAT=<program> -P CheckFormat.cmake
if(NOT CLANG_FORMAT OR NOT EXISTS "${CLANG_FORMAT}")
  message(FATAL_ERROR "clang-format was not found: install the clang-format package (scripts/common.sh lists it "
                      "in QM_TEST_PACKAGES) and configure the build again.")
endif()
execute_process(COMMAND ${CLANG_FORMAT} --version OUTPUT_VARIABLE version OUTPUT_STRIP_TRAILING_WHITESPACE)
set(sources)
foreach(folder src tests tools bench fuzz)
  file(GLOB_RECURSE found ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  list(APPEND sources ${found})
endforeach()
list(LENGTH sources count)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror --style=file ${sources}
                RESULT_VARIABLE result ERROR_VARIABLE complaints)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Not in the house style (checked with ${version}; run clang-format -i on these):\n${complaints}")
endif()
message(STATUS "Every source file keeps the house style (${count} checked with ${version}).")
