# calctutor-report.exe run under the cross build's emulator (Wine): its help
# says that this build reads no zip archives, an empty class is read cleanly,
# and a zip archive met in a class is named as unread.
#   cmake -D EMULATOR=<wine> -D TOOL=<calctutor-report.exe> -D WORK=<scratch folder> -P WindowsReportTest.cmake

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

execute_process(COMMAND ${EMULATOR} ${TOOL} --help RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0 OR NOT out MATCHES "reads no zip archives")
    message(FATAL_ERROR "--help: exit ${code}, printed '${out}' and '${err}'")
endif()

execute_process(COMMAND ${EMULATOR} ${TOOL} --quiet ${WORK} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "an empty class: exit ${code}, printed '${out}' and '${err}'")
endif()

file(WRITE ${WORK}/class.zip "")
execute_process(COMMAND ${EMULATOR} ${TOOL} ${WORK} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT "${out}${err}" MATCHES "class.zip: this build reads no zip archives")
    message(FATAL_ERROR "a zip archive: exit ${code}, printed '${out}' and '${err}'")
endif()
file(REMOVE_RECURSE ${WORK})
