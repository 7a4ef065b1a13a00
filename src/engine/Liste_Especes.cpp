#include "Liste_Especes.h"

#include <charconv>
#include <cstring>

#include "Conversions.h"

namespace kestrane {
namespace {

const std::string& Nom(const Base_Connaissance& base, int32_t espece) {
    static const std::string sans_nom;
    return espece >= 0 && static_cast<size_t>(espece) < base.Nom_Esp.size()
               ? base.Nom_Esp[static_cast<size_t>(espece)]
               : sans_nom;
}

// The percentage in signed form then "% - ".
void Ecrit_Pourcent(int32_t pourcent, std::string& ligne) {
    char tampon[16];
    char* fin = tampon;
    if (pourcent >= 0)
        *fin++ = ' ';
    fin = std::to_chars(fin, tampon + sizeof tampon, pourcent).ptr;
    ligne.assign(tampon, fin);
    ligne += "% - ";
}

// Fills the lines; returns how many equal the best percentage.
int Remplit_Lignes(const Base_Connaissance& base, const Resultats_Classement& r, int seuil,
                   Liste_Especes& liste) {
    const auto& pourcent = r.Pourcent_Esp;
    const int32_t meilleur = pourcent.empty() ? 0 : pourcent[0];
    int au_meilleur = 0;
    size_t n = 0;
    // Ranks come in runs of equal percentages: their common beginning is written once per run.
    std::string debut;
    for (size_t k = 0; k < pourcent.size(); ++k) {
        if (pourcent[k] < seuil)
            continue;
        if (n == 0 || pourcent[k] != pourcent[k - 1])
            Ecrit_Pourcent(pourcent[k], debut);
        // The lines of the previous fill are rewritten in place, keeping their buffers.
        if (n == liste.Lignes.size())
            liste.Lignes.emplace_back();
        std::string& ligne = liste.Lignes[n++];
        // The names are met in rank order, scattered over the table: fetch a few ahead.
        if (k + 8 < pourcent.size()) {
            const auto suivante = static_cast<size_t>(r.Classement_Esp.Espece[k + 8]);
            if (suivante < base.Nom_Esp.size())
                __builtin_prefetch(&base.Nom_Esp[suivante]);
        }
        const std::string& nom = Nom(base, r.Classement_Esp.Espece[k]);
        ligne.resize(debut.size() + nom.size());
        char* ecrit = ligne.data();
        std::memcpy(ecrit, debut.data(), debut.size());
        std::memcpy(ecrit + debut.size(), nom.data(), nom.size());
        if (pourcent[k] == meilleur)
            ++au_meilleur;
    }
    liste.Lignes.resize(n);
    return au_meilleur;
}

}  // namespace

std::string Ligne_Espece(int32_t pourcent, const std::string& nom) {
    std::string ligne = Signed_Text(pourcent);
    ligne += "% - ";
    ligne += nom;
    return ligne;
}

std::string Nom_De_Ligne(const std::string& ligne) {
    const auto p = ligne.find("% - ");
    return p == std::string::npos ? std::string() : ligne.substr(p + 4);
}

void Remplit_Liste(const Base_Connaissance& base, const Resultats_Classement& r, int seuil,
                   const std::string& especes_a, Liste_Especes& liste) {
    liste.Nb_Esp_Max = Remplit_Lignes(base, r, seuil, liste);
    Retraduit_Legende(r, especes_a, liste);
}

void Retraduit_Legende(const Resultats_Classement& r, const std::string& especes_a, Liste_Especes& liste) {
    const int32_t meilleur = r.Pourcent_Esp.empty() ? 0 : r.Pourcent_Esp[0];
    liste.Legende = Signed_Text(liste.Nb_Esp_Max) + " " + especes_a + Signed_Text(meilleur) + " %";
}

void Refiltre_Liste(const Base_Connaissance& base, const Resultats_Classement& r, int seuil,
                    Liste_Especes& liste) {
    Remplit_Lignes(base, r, seuil, liste);
}

}  // namespace kestrane
