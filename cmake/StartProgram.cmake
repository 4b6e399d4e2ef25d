# Starts the real program without a desktop in a home of its own and fails
# unless it ends by itself with exit code 0: a binary that crashes at
# start-up passes every in-process test.
if(NOT PROGRAM OR NOT HOME_DIR)
  message(FATAL_ERROR "PROGRAM and HOME_DIR must be given")
endif()
file(REMOVE_RECURSE ${HOME_DIR})
file(MAKE_DIRECTORY ${HOME_DIR})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env QUILLMASTER_HOME=${HOME_DIR} QT_QPA_PLATFORM=offscreen ${PROGRAM} --headless
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output
  TIMEOUT 60)
if(NOT result STREQUAL "0")
  message(FATAL_ERROR "${PROGRAM} --headless ended with '${result}':\n${output}")
endif()
message(STATUS "${PROGRAM} started and ended")
