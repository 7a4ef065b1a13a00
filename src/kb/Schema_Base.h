#pragma once
// The database layout the program reads, as SQL. The knowledge-base builder and the test fixtures
// create bases from it, so that every base has the same tables, keys and index names.
//
// "PrimaryKey" is each table's declared primary key; "ID_CARAC", "Objet" and "Langue" are SQL
// indexes of exactly those names. Text keys compare without regard to case. Hierarchie and
// Clic_Zone carry the condition columns C_0 .. C_<nb_contraintes - 1>.

#include <string>

namespace kestrane {

std::string Schema_SQL(int nb_contraintes);

// The two optional tables of a base's translated texts (Textes_Base describes them). A base
// without them is read exactly as before.
std::string Schema_Traductions_SQL();

// The two optional tables of a base's measured characters (Mesures_Objets.h describes them). A
// base without them is read exactly as before.
std::string Schema_Mesures_SQL();

// The stored query "Vernaculaire_" + langue: the common names of that language with the species'
// Code, Espece and Famille, in the alphabetical order of that language. Noms_Communs.Rang holds
// each name's place in it, computed by whoever writes the base (SQLite knows no language's
// collation); names without a rank come first, by name without regard to ASCII case.
std::string Vue_Vernaculaire_SQL(const std::string& langue);

}  // namespace kestrane
