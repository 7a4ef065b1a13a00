#include "Calcul_Classement.h"

#include <algorithm>

#include "Arrondi_Pair.h"

namespace kestrane {

Resultats_Classement Resultats_Classement::Initial(int nb_esp) {
    Resultats_Classement r;
    r.Score_Esp.assign(static_cast<size_t>(nb_esp), 0);
    r.Classement_Esp = Classement::Initial(nb_esp);
    r.Pourcent_Esp.assign(static_cast<size_t>(nb_esp), 0);
    return r;
}

int32_t Pourcentage(int64_t score, int64_t total) {
    // score x 100 can leave 64 bits on a huge base; the product is exact in 128 bits and only
    // then rounded to a double, as the division is done in double precision.
    const __int128 produit = static_cast<__int128>(score) * 100;
    return Arrondi_Pair(static_cast<double>(produit) / static_cast<double>(total));
}

Calcul_Classement::Calcul_Classement(const Base_Connaissance& base)
    : base_(base), ordre_(static_cast<size_t>(std::max<int>(base.Nb_Esp, 0))) {
    if (base.Mesures.empty())
        return;
    mesure_.assign(static_cast<size_t>(std::max<int>(base.Nb_Etats_Desc, 0)), 0);
    for (const auto& m : base.Mesures) {
        const Objet_Fic& o = base.Objets[static_cast<size_t>(m.Position)];
        for (int e = o.Index_Car; e < o.Index_Car + o.Nb_Car; ++e)
            if (e >= 0 && static_cast<size_t>(e) < mesure_.size())
                mesure_[static_cast<size_t>(e)] = 1;
    }
}

void Calcul_Classement::Calcule(const std::vector<int16_t>& etats_choisis, const Valeurs_Mesurees& valeurs,
                                Resultats_Classement& r) {
    Calcule_Scores(etats_choisis, valeurs, r);
    Trie_Especes(r);
    Calcule_Pourcentages(etats_choisis, r);
}

void Calcul_Classement::Calcule_Scores(const std::vector<int16_t>& etats_choisis, const Valeurs_Mesurees& valeurs,
                                       Resultats_Classement& r) const {
    const size_t nb_esp = static_cast<size_t>(base_.Matrice.Nb_Esp());
    r.Score_Esp.assign(nb_esp, 0);
    const size_t nb_etats =
        std::min({etats_choisis.size(), base_.Poids.size(), static_cast<size_t>(base_.Matrice.Nb_Etats())});
    int64_t* score = r.Score_Esp.data();
    for (size_t e = 0; e < nb_etats; ++e) {
        // Weight x answer first: exact in 64 bits, so the order of the three factors is free.
        const int64_t facteur = static_cast<int64_t>(base_.Poids[e]) * etats_choisis[e];
        if (facteur == 0 || (e < mesure_.size() && mesure_[e] != 0))
            continue;
        const Cellule_Matrice* colonne = base_.Matrice.Etat(static_cast<int>(e));
        for (size_t s = 0; s < nb_esp; ++s) score[s] += facteur * colonne[s];
    }
    for (size_t m = 0; m < base_.Mesures.size(); ++m) {
        const auto intervalle = Intervalle_Reponse(base_, m, etats_choisis, valeurs);
        const int64_t poids = intervalle ? Poids_Reponse(base_, m, etats_choisis) : 0;
        if (poids == 0)
            continue;
        const Mesure_Objet& mesure = base_.Mesures[m];
        const size_t n = std::min(nb_esp, mesure.Bas.size());
        for (size_t s = 0; s < n; ++s) score[s] += Rencontre(mesure, s, *intervalle) ? poids : 0;
    }
}

void Calcul_Classement::Trie_Especes(Resultats_Classement& r) {
    const size_t nb_esp = r.Score_Esp.size();
    ordre_.resize(nb_esp);
    for (size_t s = 0; s < nb_esp; ++s) ordre_[s] = static_cast<int32_t>(s);
    const int64_t* score = r.Score_Esp.data();
    // Decreasing score, equal scores in increasing species number: the order a stable exchange
    // sort on "strictly less" gives. The key is total, so an unstable sort gives the same order.
    int64_t plus_haut = 0, plus_bas = 0;
    if (nb_esp > 0) {
        const auto [bas, haut] = std::minmax_element(r.Score_Esp.begin(), r.Score_Esp.end());
        plus_bas = *bas;
        plus_haut = *haut;
    }
    constexpr int bits_espece = 24;
    const auto ecart = static_cast<unsigned __int128>(static_cast<__int128>(plus_haut) - plus_bas);
    if (ecart <= 4 * static_cast<unsigned __int128>(nb_esp) + 1024) {
        // Few distinct scores (small weights, a few answers): a counting sort on the distance
        // from the best score, which keeps species order within a score.
        const auto nb_valeurs = static_cast<size_t>(ecart) + 1;
        comptes_.assign(nb_valeurs + 1, 0);
        for (size_t s = 0; s < nb_esp; ++s) ++comptes_[static_cast<size_t>(plus_haut - score[s]) + 1];
        for (size_t v = 1; v <= nb_valeurs; ++v) comptes_[v] += comptes_[v - 1];
        for (size_t s = 0; s < nb_esp; ++s) {
            ordre_[comptes_[static_cast<size_t>(plus_haut - score[s])]++] = static_cast<int32_t>(s);
        }
    } else if (nb_esp < (size_t{1} << bits_espece) &&
               ecart < (static_cast<unsigned __int128>(1) << (64 - bits_espece))) {
        // Score distance from the best and species number packed in one word, sorted without
        // indirection.
        cles_.resize(nb_esp);
        for (size_t s = 0; s < nb_esp; ++s) {
            cles_[s] = (static_cast<uint64_t>(plus_haut - score[s]) << bits_espece) | s;
        }
        std::sort(cles_.begin(), cles_.end());
        const uint64_t masque = (uint64_t{1} << bits_espece) - 1;
        for (size_t k = 0; k < nb_esp; ++k) ordre_[k] = static_cast<int32_t>(cles_[k] & masque);
    } else {
        std::sort(ordre_.begin(), ordre_.end(), [score](int32_t a, int32_t b) {
            return score[a] != score[b] ? score[a] > score[b] : a < b;
        });
    }
    Classement& c = r.Classement_Esp;
    c.Score.resize(nb_esp);
    c.Espece.resize(nb_esp);
    for (size_t k = 0; k < nb_esp; ++k) {
        c.Espece[k] = ordre_[k];
        c.Score[k] = score[ordre_[k]];
    }
}

void Calcul_Classement::Calcule_Pourcentages(const std::vector<int16_t>& etats_choisis,
                                             Resultats_Classement& r) const {
    const size_t nb_etats = std::min(etats_choisis.size(), base_.Poids.size());
    int64_t total = 0;
    for (size_t e = 0; e < nb_etats; ++e)
        if (e >= mesure_.size() || mesure_[e] == 0)
            total += static_cast<int64_t>(base_.Poids[e]) * etats_choisis[e];
    for (size_t m = 0; m < base_.Mesures.size(); ++m) total += Poids_Reponse(base_, m, etats_choisis);

    Classement& c = r.Classement_Esp;
    const size_t nb_esp = c.Score.size();
    r.Pourcent_Esp.assign(nb_esp, 0);
    c.Pourcent.resize(nb_esp);
    if (total == 0) {
        // Row 2 is cleared as well, so that it never shows the percentages of earlier answers.
        std::fill(c.Pourcent.begin(), c.Pourcent.end(), 0);
        return;
    }
    // Equal scores give equal percentages: divide once per run of equal scores.
    for (size_t k = 0; k < nb_esp; ++k) {
        if (k > 0 && c.Score[k] == c.Score[k - 1]) {
            r.Pourcent_Esp[k] = r.Pourcent_Esp[k - 1];
        } else {
            r.Pourcent_Esp[k] = Pourcentage(c.Score[k], total);
        }
        c.Pourcent[static_cast<size_t>(c.Espece[k])] = r.Pourcent_Esp[k];
    }
}

}  // namespace kestrane
