#pragma once
// Checks a built knowledge base the way the program will read it: the settings file, the database
// and its counts, the numbering of states and characters, every identifier that a rule, a zone, a
// dependency, a palette code, a button or a contradiction names, the dependency graph (no cycle),
// the two data files' sizes, and every drawing, picture and document the tables point at.

#include <string>
#include <vector>

namespace kestrane::kb {

struct Probleme {
    std::string Lieu;  // a file, or "table X, row N"
    std::string Quoi;
    std::string Texte() const { return Lieu + ": " + Quoi; }
};

// `dossier` holds kestrane.ini. Returns every problem found; empty when the base is sound.
std::vector<Probleme> Verifie_Base(const std::string& dossier);

}  // namespace kestrane::kb
