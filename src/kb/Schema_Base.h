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

// The stored query "Vernaculaire_" + langue: the common names of that language with the species'
// Code, Espece and Famille, ordered by name.
std::string Vue_Vernaculaire_SQL(const std::string& langue);

}  // namespace kestrane
