# SPDX-License-Identifier: MIT
# Fails when a text that passes through tr in the sources has no finished
# Japanese translation, or when the translation keeps texts the sources no
# longer have. Runs lupdate on a copy, so the committed file is untouched.
#
#   cmake -DLUPDATE=... -DSOURCES=... -DTS=... -DWORK=... -P check_translation.cmake

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(READ "${TS}" committed)
if(committed MATCHES "type=\"(vanished|obsolete)\"")
  message(FATAL_ERROR "${TS} keeps texts the program no longer has; run 'cmake --build build --target update_translations'")
endif()

configure_file("${TS}" "${WORK}/Vell_ja.ts" COPYONLY)
execute_process(
  COMMAND "${LUPDATE}" -silent -locations none -no-obsolete "${SOURCES}" -ts "${WORK}/Vell_ja.ts"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${status})")
endif()

file(READ "${WORK}/Vell_ja.ts" updated)
string(REGEX MATCHALL "<source>[^<]*</source>[ \t\r\n]*<translation type=\"unfinished\"" unfinished "${updated}")
if(unfinished)
  foreach(entry IN LISTS unfinished)
    string(REGEX REPLACE "<source>([^<]*)</source>.*" "\\1" text "${entry}")
    message("  no Japanese for: ${text}")
  endforeach()
  message(FATAL_ERROR "${TS} lacks finished translations; run 'cmake --build build --target update_translations' and translate the new texts")
endif()
message(STATUS "every translatable text has a finished Japanese translation")
