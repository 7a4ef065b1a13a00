#pragma once
// What a key can and cannot tell apart, for its authors: the figures of `kestrane-kb report`,
// computed from a loaded base without any toolkit. The HTML and JSON writers only lay them out.
//
// Taxa are the base's species (0 .. Nb_Esp - 1), characters the rows of Objets_Fic by position.
// A taxon has a state when its matrix value is not 0. Two taxa conflict on a character when both
// have states of it and none in common; a taxon without any state of a character conflicts with
// none on it. A character is excluded for a taxon when it is controlled (Descendance) and the
// taxon has none of its controlling states; a coding is missing when the taxon has no state of a
// character that is not excluded for it.
//
// The walks are the engine's walker (Parcours_Recherche), one per taxon and strategy, over every
// taxon, or over a seeded random sample when the base has more taxa than the options allow; they
// run on several threads, each run of walks with its own identification over the shared,
// read-only base.
// Long lists are cut at Limite_Liste entries; their full counts are kept beside them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Base_Connaissance.h"
#include "Paires_Especes.h"
#include "Parcours_Recherche.h"
#include "Progression.h"
#include "Strategie_Recherche.h"

namespace kestrane::kb {

inline constexpr size_t Limite_Liste = 1000;
inline constexpr size_t Limite_Noms = 10;  // characters named per taxon line
inline constexpr size_t Nb_Pires = 10;     // walks shown with their questions

struct Options_Rapport {
    std::string Nom_Base;           // how the report names the base
    std::string Langue = "en";      // suffix of the base's texts
    size_t Echantillon_Max = 2000;  // taxa walked at most
    unsigned Graine = 1;            // of the sample
    unsigned Fils = 0;              // threads; 0 takes the machine's
    std::string Dossier_Documents;  // the pages' folder; empty when the pages are not local
};

struct Bilan_Strategie {
    Strategie_Recherche Strategie = Strategie_Recherche::Entropie;
    std::vector<int> Histogramme;  // [n]: walks that asked n questions
    double Moyenne = 0.0;
    int Pire = 0;
    int Nb_Identifiees = 0;
    int Nb_Seules = 0;
    size_t Nb_Non_Identifiees = 0;
    std::vector<int> Non_Identifiees;    // taxa, at most Limite_Liste
    std::vector<Parcours_Espece> Pires;  // the Nb_Pires longest walks, longest first
};

struct Figure_Caractere {
    std::string Objet;
    std::string Question;                       // in the report's language
    std::array<int, 2> Propositions{};          // walks that asked it, per strategy
    std::array<double, 2> Etape_Moyenne{};      // its mean step (1 = first question), 0 when never asked
    int Sans_Codage = 0;                        // taxa with a missing coding
    bool Separe = false;                        // two taxa conflict on it
    int64_t Paires_Fragiles = 0;                // pairs that it alone separates
    std::vector<std::string> Commandes_Mortes;  // controlling states that no taxon has (their texts)
    bool Jamais_Ouvert = false;                 // controlled, and by such states only
    std::vector<int> Poids;                     // its states' weights
};

struct Figure_Espece {
    int Espece = 0;
    size_t Nb_Manquants = 0;
    std::vector<int> Manquants;  // characters with a missing coding, at most Limite_Noms
    size_t Nb_Tous_Etats = 0;
    std::vector<int> Tous_Etats;                 // characters of two states or more, all of them coded
    std::vector<std::string> Documents_Absents;  // file names
};

struct Traductions_Manquantes {
    std::string Langue;  // suffix
    std::string Table, Champ;
    size_t Manquantes = 0, Total = 0;
};

struct Rapport_Cle {
    std::string Nom_Base;
    std::string Langue;
    int Nb_Caracteres = 0, Nb_Etats = 0;
    std::vector<std::string> Noms;  // taxa names, in taxon order

    int64_t Nb_Paires_Inseparables = 0;
    std::vector<Groupe_Inseparable> Groupes;  // by first member
    int64_t Nb_Paires_Fragiles = 0;
    std::vector<Paire_Fragile> Paires_Fragiles;  // in (A, B) order, at most Limite_Liste

    size_t Nb_Parcourues = 0;  // taxa walked
    bool Echantillon = false;  // fewer than every taxon, drawn with Graine
    unsigned Graine = 0;
    std::vector<Bilan_Strategie> Strategies;  // standard, applicable

    std::vector<Figure_Caractere> Caracteres;  // by position
    size_t Nb_Especes_Signalees = 0;
    std::vector<Figure_Espece>
        Especes;  // taxa with something missing or saying nothing, at most Limite_Liste
    bool Documents_Verifies = false;
    std::vector<Traductions_Manquantes> Traductions;
};

// The figures of `base`. `progression` hears "pairs", then "walks" (the taxa walked by both
// strategies), on the calling thread.
Rapport_Cle Calcule_Rapport(const Base_Connaissance& base, const Options_Rapport& options,
                            const Progression& progression = {});

}  // namespace kestrane::kb
