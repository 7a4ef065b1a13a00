#pragma once
// The results list and its label, as the window shows them.
//
// A line is the percentage in signed form (" 85", "-4"), "% - ", then the species name; lines are
// in rank order and stop at the first percentage below the threshold, so line k is rank k. The
// label is Nb_Esp_Max and the best percentage: " 3 species at 85 %".

#include <string>
#include <vector>

#include "Base_Connaissance.h"
#include "Calcul_Classement.h"

namespace kestrane {

struct Liste_Especes {
    std::vector<std::string> Lignes;
    int Nb_Esp_Max = 0;   // listed species whose percentage equals the best one
    std::string Legende;  // caption and tool tip of the label
};

// One line of the list.
std::string Ligne_Espece(int32_t pourcent, const std::string& nom);

// The name of a line's species (everything after the first "% - "); empty when the line has none.
std::string Nom_De_Ligne(const std::string& ligne);

// The list fill: every rank whose percentage reaches `seuil`, the count at the best percentage
// and the label built with `especes_a` (string 1500 of the current language).
void Remplit_Liste(const Base_Connaissance& base, const Resultats_Classement& r, int seuil,
                   const std::string& especes_a, Liste_Especes& liste);

// The label again with another `especes_a` (the language changed): the count and the best
// percentage stay.
void Retraduit_Legende(const Resultats_Classement& r, const std::string& especes_a, Liste_Especes& liste);

// The re-filter after the threshold changed: the lines only; Nb_Esp_Max and the label stay.
void Refiltre_Liste(const Base_Connaissance& base, const Resultats_Classement& r, int seuil,
                    Liste_Especes& liste);

}  // namespace kestrane
