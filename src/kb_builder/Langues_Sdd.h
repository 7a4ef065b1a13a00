#pragma once
// The languages of an imported key and the choice of its texts: the dataset's language gives
// the text without suffix, the other interface languages (en, fr, es) met in its labels give
// translations; English is always offered, since the program opens pages in English first.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "Donnees_Sdd.h"
#include "Source_Flore.h"

namespace kestrane::kb {

struct Textes_Choisis {
    std::string Defaut;
    std::map<std::string, std::string> Traductions;  // by suffix
};

class Langues_Sdd {
  public:
    // Reads the languages met in the dataset's labels and details.
    explicit Langues_Sdd(const Donnees_Sdd& donnees);

    const std::vector<Langue_Source>& Langues() const { return langues_; }
    const std::string& Origine() const { return langues_.front().Suffixe; }
    // Languages met but left out (not an interface language, nor the dataset's).
    const std::set<std::string>& Ecartees() const { return ecartees_; }
    // Whether the dataset's own language had to be replaced (no two-letter code).
    bool Origine_Remplacee() const { return remplacee_; }

    // The text of labels (mark-up dropped): the one in the dataset's language or in none, else
    // the first; translations in the other offered languages.
    Textes_Choisis Labels(const std::vector<Texte_Sdd>& labels) const;
    // Details as safe HTML, every detail of a language one after the other.
    Textes_Choisis Details(const std::vector<Texte_Sdd>& details) const;
    // A text the importer itself writes, given in English, French and Spanish.
    Textes_Choisis Fixe(const std::map<std::string, std::string>& par_langue) const;

  private:
    std::vector<Langue_Source> langues_;
    std::set<std::string> ecartees_;
    bool remplacee_ = false;
};

}  // namespace kestrane::kb
