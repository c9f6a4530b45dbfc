# Lines that are not commands stop the tool with status 2 and name the line;
# so do a missing file and more than one file.
set(bad_lines
    "rand" "rand .5" "rand 5." "rand +0.5" "rand -0" "rand 5e-1" "rand 0.99999999" "rand 1"
    "rand 0.5 x" "answer" "answer Yes" "answer yes maybe" "click" "click NorthCom"
    "click northCom westCom" "click Frame1" "menu" "menu undoMnu" "menu newMnu now" "show all"
    "Show" "jump" "rand 0,5")
set(dir ${CMAKE_CURRENT_BINARY_DIR}/replay-errors)
file(MAKE_DIRECTORY ${dir})
foreach(line IN LISTS bad_lines)
    file(WRITE ${dir}/bad.script "# first a comment\n\n${line}\nshow\n")
    execute_process(COMMAND ${REPLAY} ${dir}/bad.script RESULT_VARIABLE status
                    OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 2 OR NOT err MATCHES "line 3" OR NOT out STREQUAL "")
        message(FATAL_ERROR "'${line}': status ${status}, stdout '${out}', stderr '${err}'")
    endif()
endforeach()

execute_process(COMMAND ${REPLAY} ${dir}/missing.script RESULT_VARIABLE status ERROR_QUIET)
if(NOT status EQUAL 2)
    message(FATAL_ERROR "a missing file: status ${status}")
endif()
execute_process(COMMAND ${REPLAY} ${dir}/bad.script ${dir}/bad.script RESULT_VARIABLE status
                ERROR_QUIET)
if(NOT status EQUAL 2)
    message(FATAL_ERROR "two files: status ${status}")
endif()

# Blanks, tabs and a carriage return around words are ignored; standard input works.
file(WRITE ${dir}/blanks.script "  rand\t0.9   0.1 \r\n\tclick westCom\r\n# done\n  show  \r\n")
execute_process(COMMAND ${REPLAY} INPUT_FILE ${dir}/blanks.script RESULT_VARIABLE status
                OUTPUT_VARIABLE out)
if(NOT status EQUAL 0 OR NOT out MATCHES "\"hp\":33,.*\"draws\":2}\n$")
    message(FATAL_ERROR "blanks: status ${status}, stdout '${out}'")
endif()
