# Runs a tool and holds what it gives to the expected text: its standard output and errors, or the
# file FICHIER it writes, then its exit code. The folder of the test bases is written BASES and the
# moment a document says it was made TIME.
#   cmake -DOUTIL=tool -DARGUMENTS="a|b|c" [-DFICHIER=file] -DATTENDU=file -DBASES=folder -P Sortie_Attendue.cmake
# With the environment variable KESTRANE_REECRIT_ATTENDUS set, the result is written as the new
# expected text instead (read the difference before committing it).
string(REPLACE "|" ";" arguments "${ARGUMENTS}")
if(FICHIER)
  file(REMOVE ${FICHIER})
endif()
execute_process(COMMAND ${OUTIL} ${arguments} OUTPUT_VARIABLE sortie ERROR_VARIABLE erreurs
                RESULT_VARIABLE code)
if(FICHIER)
  set(sortie "")
  set(erreurs "")
  if(EXISTS ${FICHIER})
    file(READ ${FICHIER} sortie)
  endif()
endif()
set(obtenu "${sortie}${erreurs}exit ${code}\n")
string(REPLACE "${BASES}" "BASES" obtenu "${obtenu}")
# What Qt says of the machine (a missing runtime folder) is no part of the output.
string(REGEX REPLACE "QStandardPaths: [^\n]*\n" "" obtenu "${obtenu}")
string(REGEX REPLACE "created=\"[^\"]*\"" "created=\"TIME\"" obtenu "${obtenu}")
if(DEFINED ENV{KESTRANE_REECRIT_ATTENDUS})
  file(WRITE ${ATTENDU} "${obtenu}")
  return()
endif()
file(READ ${ATTENDU} attendu)
if(NOT obtenu STREQUAL attendu)
  message(FATAL_ERROR "${OUTIL} ${arguments}\n--- expected (${ATTENDU})\n${attendu}--- got\n${obtenu}")
endif()
