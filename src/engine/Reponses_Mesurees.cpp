#include "Reponses_Mesurees.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

namespace {

// The states of measured character m within the answers, or nothing when they lie outside.
bool Etats_De(const Base_Connaissance& base, size_t m, size_t taille, int& premier, int& nombre) {
    const Mesure_Objet& mesure = base.Mesures[m];
    if (mesure.Position < 0 || static_cast<size_t>(mesure.Position) >= base.Objets.size())
        return false;
    const Objet_Fic& o = base.Objets[static_cast<size_t>(mesure.Position)];
    premier = o.Index_Car;
    nombre = o.Nb_Car;
    return premier >= 0 && nombre > 0 && static_cast<size_t>(premier) + static_cast<size_t>(nombre) <= taille;
}

}  // namespace

Intervalle Intervalle_Valeur(const Valeur_Mesuree& v) {
    const double marge = std::fabs(v.Valeur) * std::max(v.Tolerance, 0.0) / 100;
    return {v.Valeur - marge, v.Valeur + marge};
}

std::optional<Intervalle> Intervalle_Reponse(const Base_Connaissance& base, size_t m,
                                             const std::vector<int16_t>& etats_choisis,
                                             const Valeurs_Mesurees& valeurs) {
    int premier = 0, nombre = 0;
    if (!Etats_De(base, m, etats_choisis.size(), premier, nombre))
        return std::nullopt;
    int bas = -1, haut = -1;
    for (int k = 0; k < nombre; ++k)
        if (etats_choisis[static_cast<size_t>(premier + k)] != 0) {
            if (bas < 0)
                bas = k;
            haut = k;
        }
    if (bas < 0)
        return std::nullopt;
    if (m < valeurs.size() && valeurs[m])
        return Intervalle_Valeur(*valeurs[m]);
    return Etendue_Classes(base.Mesures[m], bas, haut);
}

int64_t Poids_Reponse(const Base_Connaissance& base, size_t m, const std::vector<int16_t>& etats_choisis) {
    int premier = 0, nombre = 0;
    if (!Etats_De(base, m, std::min(etats_choisis.size(), base.Poids.size()), premier, nombre))
        return 0;
    int64_t poids = 0;
    for (int k = premier; k < premier + nombre; ++k) {
        const int16_t choisi = etats_choisis[static_cast<size_t>(k)];
        if (choisi != 0)
            poids = std::max(poids, static_cast<int64_t>(base.Poids[static_cast<size_t>(k)]) * choisi);
    }
    return poids;
}

}  // namespace kestrane
