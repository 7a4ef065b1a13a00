#pragma once
// Checks a built knowledge base the way the program will read it: the settings file, the database
// and its counts, the numbering of states and characters, every identifier that a rule, a zone, a
// dependency, a palette code, a button or a contradiction names, the dependency graph (no cycle),
// the two data files' sizes, every drawing, picture and document the tables point at, and the
// translated texts: a translation that names no text or an undeclared language is a problem, a
// text without a translation in a declared language only a warning.

#include <string>
#include <vector>

namespace kestrane::kb {

struct Probleme {
    std::string Lieu;  // a file, or "table X, row N"
    std::string Quoi;
    bool Avertissement = false;  // the base works as it is (a text shows in its own language)
    std::string Texte() const { return (Avertissement ? "warning: " : "") + Lieu + ": " + Quoi; }
};

// `dossier` holds kestrane.ini. Returns every problem and warning found; the base is sound when
// none is a problem (Erreurs gives 0).
std::vector<Probleme> Verifie_Base(const std::string& dossier);

// How many of `problemes` are problems rather than warnings.
size_t Erreurs(const std::vector<Probleme>& problemes);

}  // namespace kestrane::kb
