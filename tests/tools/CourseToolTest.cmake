# Runs calctutor-course as a course author would and checks what it prints.
#   cmake -D TOOL=<path of calctutor-course> -P CourseToolTest.cmake

execute_process(COMMAND ${TOOL} check RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0 OR NOT out STREQUAL "The course is sound: 508 entries.\n" OR NOT err STREQUAL "")
    message(FATAL_ERROR "check: exit ${code}, printed '${out}' and '${err}'")
endif()

execute_process(COMMAND ${TOOL} chek RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 2 OR NOT out STREQUAL "" OR NOT err STREQUAL "usage: calctutor-course check | dump\n")
    message(FATAL_ERROR "unknown command: exit ${code}, printed '${out}' and '${err}'")
endif()

# dump: one JSON string per script entry, indexes 0 to 5000, with CR LF and quotes escaped.
execute_process(COMMAND ${TOOL} dump RESULT_VARIABLE code OUTPUT_VARIABLE out)
string(REGEX MATCHALL "\n  \"" strings "${out}")
list(LENGTH strings count)
if(NOT code EQUAL 0 OR NOT count EQUAL 5001)
    message(FATAL_ERROR "dump: exit ${code}, ${count} entries")
endif()
string(FIND "${out}" "[\n  \"\",\n  \"001.  Depth vs. Clock Time and Rate of Depth Change\",\n  \"\",\n  \"`qNote that there are four questions in this assignment.  \\r\\n\\r\\n`q001.  " first)
string(FIND "${out}" "the \\\"rise\\\" is really a fall" quotes)
string(FIND "${out}" "\",\n  \"017.  \",\n  \"\",\n" closing)
string(REGEX MATCH "\n  \"\"\n]\n$" ending "${out}")
if(NOT first EQUAL 0 OR quotes LESS 0 OR closing LESS 0 OR ending STREQUAL "")
    message(FATAL_ERROR "dump: first entries at ${first}, escaped quotes at ${quotes}, closing header at ${closing}, "
                        "ending '${ending}'")
endif()
