# Writes a program's manual page, gzipped, from its --help and --version with help2man. When the
# top-level help lists subcommands, each one's --help becomes a subsection of COMMANDS.
#   cmake -DPROGRAM=path -DNAME_LINE="what it is" -DHELP2MAN=path -DGZIP=path -DOUTPUT=x.1.gz
#         [-DINCLUDE=extra.h2m] -P ManPage.cmake
foreach(variable PROGRAM NAME_LINE HELP2MAN GZIP OUTPUT)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "ManPage.cmake: ${variable} is not set")
  endif()
endforeach()

# Text as roff shows it unfilled: backslashes doubled as \e, and no line read as a request.
function(roff_literal texte resultat)
  string(REPLACE "\\" "\\e" texte "${texte}")
  string(REGEX REPLACE "(^|\n)([.'[])" "\\1\\\\&\\2" texte "${texte}")
  set(${resultat} "${texte}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE aide RESULT_VARIABLE statut)
if(NOT statut EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help failed (${statut})")
endif()

set(inclusion "")
if(DEFINED INCLUDE)
  file(READ "${INCLUDE}" inclusion)
endif()
# The subcommands: the indented names under "Subcommands:" up to the next blank line.
set(commandes "")
set(dans_liste FALSE)
string(REPLACE "\n" ";" lignes "${aide}")
foreach(ligne IN LISTS lignes)
  if(ligne MATCHES "^Subcommands:")
    set(dans_liste TRUE)
  elseif(dans_liste AND ligne MATCHES "^  ([A-Za-z0-9_-]+)")
    list(APPEND commandes "${CMAKE_MATCH_1}")
  elseif(dans_liste AND NOT ligne MATCHES "^ ")
    set(dans_liste FALSE)
  endif()
endforeach()
if(commandes)
  string(APPEND inclusion "\n[COMMANDS]\n")
  foreach(commande IN LISTS commandes)
    execute_process(COMMAND "${PROGRAM}" ${commande} --help OUTPUT_VARIABLE aide_commande RESULT_VARIABLE statut)
    if(NOT statut EQUAL 0)
      message(FATAL_ERROR "${PROGRAM} ${commande} --help failed (${statut})")
    endif()
    # Usage lines name the program as it was called: here, by its path in the build folder.
    get_filename_component(nom_programme "${PROGRAM}" NAME)
    string(REPLACE "${PROGRAM}" "${nom_programme}" aide_commande "${aide_commande}")
    roff_literal("${aide_commande}" aide_commande)
    string(APPEND inclusion ".SS ${commande}\n.nf\n${aide_commande}\n.fi\n")
  endforeach()
endif()

get_filename_component(sortie_dossier "${OUTPUT}" DIRECTORY)
get_filename_component(page "${OUTPUT}" NAME_WLE)
set(fichier_inclusion "${sortie_dossier}/${page}.h2m")
set(fichier_page "${sortie_dossier}/${page}")
file(WRITE "${fichier_inclusion}" "${inclusion}")
execute_process(
  COMMAND "${HELP2MAN}" --no-info --section=1 "--name=${NAME_LINE}" "--include=${fichier_inclusion}"
          "--output=${fichier_page}" "${PROGRAM}"
  RESULT_VARIABLE statut)
if(NOT statut EQUAL 0)
  message(FATAL_ERROR "help2man failed on ${PROGRAM} (${statut})")
endif()
# Debian's pages are gzipped without a name or time stamp, so that builds are reproducible.
execute_process(COMMAND "${GZIP}" -9 -n -c "${fichier_page}" OUTPUT_FILE "${OUTPUT}" RESULT_VARIABLE statut)
if(NOT statut EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${fichier_page} (${statut})")
endif()
