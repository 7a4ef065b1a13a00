#pragma once
// The headings and sentences of the key report, in English, Spanish and French. A sentence holds
// %1, %2... where its figures go (Remplit).

#include <string>
#include <string_view>
#include <vector>

namespace kestrane::kb {

struct Textes_Rapport {
    const char* Titre;
    const char* Taxons;
    const char* Caracteres;
    const char* Etats;
    const char* Inseparables;         // section
    const char* Paires_Inseparables;  // pairs %1, groups %2
    const char* Groupe;
    const char* Paires;
    const char* Fragiles;     // sub-section
    const char* Nb_Fragiles;  // pairs %1
    const char* Caractere;
    const char* Aucun;
    const char* Autres;                 // "%1 more not shown"
    const char* Questions_Necessaires;  // section
    const char* Tous_Parcourus;         // "Every taxon (%1) was walked ..."
    const char* Echantillon;            // "%1 of %2 taxa, drawn at random with seed %3"
    const char* Strategie;
    const char* Moyenne;
    const char* Pire;
    const char* Identifies;
    const char* Seuls;
    const char* Questions;
    const char* Parcours;
    const char* Non_Identifies;
    const char* Plus_Longs;
    const char* Questions_Posees;
    const char* Posee;  // "Asked (%1)"
    const char* Etape;  // "Mean step (%1)"
    const char* Sans_Codage;
    const char* Separe;
    const char* Seul_Separe;
    const char* Poids;
    const char* Commandes_Mortes;
    const char* Jamais_Separent;
    const char* Jamais_Ouvertes;
    const char* Oui;
    const char* Non;
    const char* Taxon;
    const char* Codages_Manquants;
    const char* Tous_Etats;
    const char* Documents_Absents;
    const char* Pages_Non_Verifiees;
    const char* Signales;  // taxa %1
    const char* Textes;
    const char* Langue;
    const char* Champ;
    const char* Manquantes;
    const char* Total;
    const char* Aucune_Langue;
    const char* Deux_Points;  // after a label: ": ", or " : " in French
};

// The texts in `langue` ("en", "es", "fr"); English for any other.
const Textes_Rapport& Textes_Du_Rapport(std::string_view langue);

// `modele` with %1, %2... replaced by `valeurs` in order.
std::string Remplit(std::string_view modele, const std::vector<std::string>& valeurs);

}  // namespace kestrane::kb
