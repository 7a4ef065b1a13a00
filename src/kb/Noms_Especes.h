#pragma once
// The names a species is found by: its scientific name and its common names in every language of
// the knowledge base (the "Vernaculaire_" view of each language of Communs_Langues, as the species
// tree lists them). Species are the rows of Flore in index order, so that species s of the
// ranking is row s.
//
// A text is found in a name when its folded form (Plie_Texte: case, accents, dashes and blanks
// do not matter) is part of the name's folded form. Built once from a loaded base and read-only
// afterwards; const methods may be called from any thread.
//
// The index itself works on folded texts (the *_Plie methods); folding (ICU) and the reading of
// the views (the database) live in files of their own, so that a build without either (the
// browser's, whose names come folded in the compact base file) keeps the index.

#include <string>
#include <string_view>
#include <vector>

namespace kestrane {

struct Base_Connaissance;

class Noms_Especes {
  public:
    struct Nom {
        std::string Texte;   // as stored
        std::string Langue;  // as Communs_Langues names it; "" for the scientific name
        bool operator==(const Nom&) const = default;
    };

    // The names of every Flore row. A common name whose code (else species name) matches no row
    // is left out, as is a language whose view cannot be read.
    static Noms_Especes Lit(const Base_Connaissance& base);
    // Adds a name to species `espece` (the reader, and tests that build the names by hand).
    void Ajoute(size_t espece, Nom nom);
    // The same with its folded form given.
    void Ajoute_Plie(size_t espece, Nom nom, std::string plie);

    size_t Nombre_Especes() const { return noms_.size(); }
    // The species' names: the scientific name first, then the common names in view order.
    const std::vector<Nom>& Noms(size_t espece) const { return noms_.at(espece); }

    // For every species, whether one of its names holds `texte`; every species when the folded
    // text is empty.
    std::vector<bool> Correspondances(std::string_view texte) const;
    // The names of `espece` that hold `texte`.
    std::vector<Nom> Noms_Trouves(size_t espece, std::string_view texte) const;
    // The same two for a text already folded.
    std::vector<bool> Correspondances_Plie(std::string_view cherche) const;
    std::vector<Nom> Noms_Trouves_Plie(size_t espece, std::string_view cherche) const;
    // The folded forms of the species' names, in the order of Noms.
    const std::vector<std::string>& Plies(size_t espece) const { return plies_.at(espece); }

  private:
    std::vector<std::vector<Nom>> noms_;
    std::vector<std::vector<std::string>> plies_;  // folded, as noms_
    std::vector<std::string> ensemble_;            // each species' folded names, "\n" between
};

}  // namespace kestrane
