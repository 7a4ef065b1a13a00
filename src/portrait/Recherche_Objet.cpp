#include "Recherche_Objet.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

int32_t Reference_X(double x, double largeur) {
    if (largeur <= 0) return 0;
    return static_cast<int32_t>(std::floor((Largeur_Reference / largeur) * x));
}

int32_t Reference_Y(double y, double hauteur) {
    if (hauteur <= 0) return 0;
    return static_cast<int32_t>(std::floor((Hauteur_Reference / hauteur) * y));
}

namespace {

bool Conditions_Remplies(const Base_Connaissance& base, const Zone_Clic& zone, const std::vector<int16_t>& etats) {
    if (!zone.Conditions_Terminees) return false;
    for (const std::string& condition : zone.Conditions) {
        const auto num = base.Etat_Par_Identifiant(condition);
        if (!num || *num < 0 || static_cast<size_t>(*num) >= etats.size()) return false;
        if (etats[static_cast<size_t>(*num)] != 1) return false;
    }
    return true;
}

// Strictly inside; a Null edge puts every point outside.
bool Contient(const Zone_Clic& zone, double x, double y) {
    if (!zone.X1 || !zone.X2 || !zone.Y1 || !zone.Y2)
        return false;
    return *zone.X1 < x && x < *zone.X2 && *zone.Y1 < y && y < *zone.Y2;
}

}  // namespace

Zone_Trouvee Cherche_Zone(const Base_Connaissance& base, const std::vector<int16_t>& etats_choisis,
                          const std::vector<int16_t>& etat_cadre, double x, double y) {
    Zone_Trouvee resultat;
    int cadre_courant = -1;
    for (size_t z = 0; z < base.Clic_Zone.size(); ++z) {
        const Zone_Clic& zone = base.Clic_Zone[z];
        if (!Conditions_Remplies(base, zone, etats_choisis)) continue;
        // Only the first zone of a frame is tested, once a zone without Test_Cadre opened it. A Null
        // Test_Cadre neither opens the frame nor asks for an answer in it.
        if (zone.Cadre == cadre_courant) continue;
        if (zone.Test_Cadre == false)
            cadre_courant = zone.Cadre;
        if (!Contient(zone, x, y))
            continue;
        if (zone.Test_Cadre == true) {
            const bool repondu = zone.Cadre >= 0 && static_cast<size_t>(zone.Cadre) < etat_cadre.size() &&
                                 etat_cadre[static_cast<size_t>(zone.Cadre)] != 0;
            if (!repondu) continue;
        }
        resultat.Touchee = true;
        resultat.Zone = static_cast<int>(z);
        resultat.Objet = base.Trouve_Objet(zone.Nom);
        return resultat;
    }
    return resultat;
}

std::string Couleur_Proche(const Base_Connaissance& base, int32_t couleur) {
    const size_t n = std::min({static_cast<size_t>(std::max<int>(base.Nb_Couleurs, 0)), base.Couleur_Pixel.size(),
                               base.Couleur_Comp.size(), base.Code_Couleur.size()});
    for (size_t i = 0; i < n; ++i) {
        if (base.Couleur_Pixel[i] == couleur) return base.Code_Couleur[i];
    }
    const int rouge = couleur & 255;
    const int vert = (couleur / 256) & 255;
    const int bleu = (couleur / 65536) & 255;
    double meilleur = 65535;
    std::string resultat;
    for (size_t i = 0; i < n; ++i) {
        const Couleur_Composantes& c = base.Couleur_Comp[i];
        const double ecart = std::pow(std::pow(c.Bleu - bleu, 2.0) + std::pow(c.Vert - vert, 2.0) +
                                          std::pow(c.Rouge - rouge, 2.0),
                                      0.5);
        if (ecart < meilleur) {
            meilleur = ecart;
            resultat = base.Code_Couleur[i];
        }
    }
    return resultat;
}

}  // namespace kestrane
