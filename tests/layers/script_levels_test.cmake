# Runs the layer check on small source trees, one include each, and fails
# when the check allows an include it must refuse or refuses one it must
# allow.
set(cases
  # file | the header it includes | allowed
  "script/layout/a.cpp|script/pagination/numbering.h|no"
  "script/layout/a.h|script/editing/hidden_text.h|no"
  "script/model/a.cpp|script/script_window.h|no"
  "script/model/a.h|script/layout/word_wrap.h|no"
  "script/pagination/a.cpp|script/editing/document_modified.h|no"
  "script/editing/a.cpp|script/other_window_file.h|no"
  "script/editing/a.cpp|script/layout/screen_rebuild.h|yes"
  "script/pagination/a.cpp|script/model/script_model.h|yes"
  "script/layout/a.cpp|script/script_window.h|yes"
  "script/editing/a.cpp|script/script_window.h|yes"
  "script/a.cpp|script/editing/typing_aids.h|yes"
  "script/model/a.cpp|script/model/b.h|yes")
set(failures "")
set(index 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 file)
  list(GET parts 1 header)
  list(GET parts 2 allowed)
  math(EXPR index "${index} + 1")
  set(tree ${WORK_DIR}/tree${index})
  file(REMOVE_RECURSE ${tree})
  file(WRITE ${tree}/src/${file} "#include \"${header}\"\n")
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${tree} -P ${CHECK}
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
  if(allowed STREQUAL "yes" AND NOT result EQUAL 0)
    list(APPEND failures "${file} including ${header} was refused")
  elseif(allowed STREQUAL "no" AND result EQUAL 0)
    list(APPEND failures "${file} including ${header} was allowed")
  endif()
endforeach()
if(failures)
  list(JOIN failures "\n  " text)
  message(FATAL_ERROR "The layer check misjudged:\n  ${text}")
endif()
