# dolm-bench must refuse a bad position line (here the third, after a comment and a good
# line) before searching anything: a non-zero exit and a message naming line and fault.
# Each case is "line|message"; moves are separated by @ (a semicolon would split the list).
set(cases "sr=22 colour=red|unknown token" "sr=23|not a board side" "sr=6|not a board side"
  "skill=19/8|breadth/depth" "skill=12|breadth/depth" "draw=-1|not an index"
  "sr=7 moves=6,1,X|off the" "sr=22 obstacles=0,5|off the" "sr=22 moves=10,10,Z|not X or O"
  "sr=22 moves=10,10,X@10,10,O|already occupied" "sr=22 obstacles=4,4 moves=4,4,X|already occupied"
  "sr=22 moves=10,10|column,row,side" "sr=22 sr=13|given twice"
  "moves=1,1,X@2,2,O@1,2,X@3,3,O@1,3,X@4,4,O@1,4,X@5,5,O@1,5,X|completes five")
foreach(case IN LISTS cases)
  string(REGEX REPLACE "\\|.*" "" line "${case}")
  string(REGEX REPLACE ".*\\|" "" why "${case}")
  string(REPLACE "@" ";" line "${line}")
  file(WRITE ${WORK}/bad.txt "# a good line, then a bad one\nsr=7\n${line}\n")
  execute_process(COMMAND ${BENCH} ${WORK}/bad.txt RESULT_VARIABLE rc OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  if(rc EQUAL 0 OR NOT out STREQUAL "" OR NOT err MATCHES "bad.txt:3: .*${why}")
    message(FATAL_ERROR "'${line}': exit ${rc}, output '${out}', message '${err}' (want '${why}')")
  endif()
endforeach()

# A path that holds no suite must not pass as an empty one: a directory, a FIFO
# (which would never end), an empty file and a file of comments all exit 2.
file(MAKE_DIRECTORY ${WORK}/dir)
file(WRITE ${WORK}/empty.txt "")
file(WRITE ${WORK}/comments.txt "# nothing but a comment\n\n")
file(REMOVE ${WORK}/fifo)
execute_process(COMMAND mkfifo ${WORK}/fifo)
foreach(path "dir|not a regular" "empty.txt|no position" "comments.txt|no position" "fifo|not a regular")
  string(REGEX REPLACE "\\|.*" "" name "${path}")
  string(REGEX REPLACE ".*\\|" "" why "${path}")
  execute_process(COMMAND ${BENCH} ${WORK}/${name} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                  ERROR_VARIABLE err TIMEOUT 10)
  if(NOT rc EQUAL 2 OR NOT out STREQUAL "" OR NOT err MATCHES "${name}.*${why}")
    message(FATAL_ERROR "${name}: exit ${rc}, output '${out}', message '${err}' (want '${why}')")
  endif()
endforeach()
