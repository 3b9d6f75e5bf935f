# Runs calctutor-report as an instructor would and checks its exit status and files.
#   cmake -D TOOL=<path of calctutor-report> -D WORK=<scratch folder> -P ReportToolTest.cmake

function(run expected_code)
    execute_process(COMMAND ${TOOL} ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT code EQUAL expected_code)
        message(FATAL_ERROR "calctutor-report ${ARGN}: exit ${code}, not ${expected_code}\n${out}\n${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_in text wanted what)
    string(FIND "${text}" "${wanted}" at)
    if(at LESS 0)
        message(FATAL_ERROR "${what} lacks '${wanted}':\n${text}")
    endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/empty ${WORK}/class/Ann)

run(0 --help)
expect_in("${out}" "confident miss: an answer rated 2 or 3" "--help")
run(0 --version)
expect_in("${out}" "calctutor-report " "--version")

# Usage errors: 2, and nothing read.
run(2)
run(2 --no-such-option ${WORK}/empty)
run(2 --assignments 5-1 ${WORK}/empty)
run(2 --since 2026-02-30 ${WORK}/empty)
run(2 --roster ${WORK}/no-roster.txt ${WORK}/empty)

# Nothing wrong: 0, and the four spreadsheet files, each with its byte-order mark.
run(0 --quiet --csv ${WORK}/out ${WORK}/empty)
foreach(name entries students questions problems)
    file(READ ${WORK}/out/${name}.csv head LIMIT 3 HEX)
    if(NOT head STREQUAL "efbbbf")
        message(FATAL_ERROR "${name}.csv does not start with the byte-order mark: ${head}")
    endif()
endforeach()

# A record file that holds no entries: the report is made, with the problem named; 1.
file(WRITE ${WORK}/class/Ann/send_0914Ann_Lee.txt "not what the tutor writes\n")
file(WRITE ${WORK}/roster.csv "Name,E-mail\nAnn Lee,ann@example.org\nZed Young,zed@example.org\n")
run(1 --csv ${WORK}/out --json ${WORK}/report.json --roster ${WORK}/roster.csv ${WORK}/class)
expect_in("${out}" "on the roster, not started (1): Zed Young" "the table")
expect_in("${out}" "send_0914Ann_Lee.txt:1: line 1 is not part of any entry; skipped" "the table")
file(READ ${WORK}/out/problems.csv problems)
expect_in("${problems}" "send_0914Ann_Lee.txt,1,line 1 is not part of any entry; skipped" "problems.csv")
file(READ ${WORK}/report.json json)
expect_in("${json}" "\"roster\":{\"notStarted\":[\"Zed Young\"],\"notOnRoster\":[]}" "the JSON file")
file(READ ${WORK}/out/students.csv students)
expect_in("${students}" "Zed Young,0,0,0,0,0,,,0,0," "students.csv")
file(REMOVE_RECURSE ${WORK})
