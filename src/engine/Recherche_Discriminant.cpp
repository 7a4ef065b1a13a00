#include "Recherche_Discriminant.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

Recherche_Discriminant::Recherche_Discriminant(const Base_Connaissance& base) : base_(base) {}

double Recherche_Discriminant::Pouvoir(const std::vector<int64_t>& sommes, int64_t nb_candidats) {
    const size_t k = sommes.size();
    if (k < 2 || nb_candidats == 0)
        return 0.0;
    const double n = static_cast<double>(nb_candidats);
    const double log_k = std::log(static_cast<double>(k));
    double pouvoir = 0.0;
    for (const int64_t c : sommes) {
        if (c == 0)
            continue;
        const double cj = static_cast<double>(c);
        const double log_n_c = std::log(n / cj);
        pouvoir -= cj / n * log_n_c / log_k;
    }
    pouvoir = std::fabs(pouvoir);
    return std::isfinite(pouvoir) ? pouvoir : 0.0;
}

int Recherche_Discriminant::Calcule(const std::vector<int16_t>& etats_choisis, const std::vector<bool>& joker,
                                    const Classement& classement, int nb_candidats,
                                    std::vector<double>& pouvoir) {
    const auto& objets = base_.Objets;
    pouvoir.assign(objets.size(), 0.0);
    const int nb_esp = base_.Matrice.Nb_Esp();
    const int n =
        std::clamp(nb_candidats, 0, std::min<int>(nb_esp, static_cast<int>(classement.Espece.size())));

    // Who the candidates are decides how a state's sum is formed: the whole column when every
    // species is one, a masked sum when many are, a gather over the few otherwise.
    candidats_.clear();
    for (int k = 0; k < n; ++k) {
        const int32_t s = classement.Espece[static_cast<size_t>(k)];
        if (s >= 0 && s < nb_esp)
            candidats_.push_back(s);
    }
    std::sort(candidats_.begin(), candidats_.end());
    const bool tous = static_cast<int>(candidats_.size()) == nb_esp;
    const bool dense = !tous && candidats_.size() * 8 >= static_cast<size_t>(nb_esp);
    if (dense) {
        masque_.assign(static_cast<size_t>(nb_esp), 0);
        for (const int32_t s : candidats_) masque_[static_cast<size_t>(s)] = 1;
    }
    auto somme_etat = [&](int e) -> int64_t {
        const int16_t* colonne = base_.Matrice.Etat(e);
        int64_t somme = 0;
        if (tous) {
            for (int s = 0; s < nb_esp; ++s) somme += colonne[s];
        } else if (dense) {
            const int16_t* m = masque_.data();
            for (int s = 0; s < nb_esp; ++s)
                somme += static_cast<int64_t>(static_cast<int32_t>(colonne[s]) * m[s]);
        } else {
            for (const int32_t s : candidats_) somme += colonne[s];
        }
        return somme;
    };

    const size_t nb_etats = std::min(etats_choisis.size(), static_cast<size_t>(base_.Matrice.Nb_Etats()));
    int meilleur_position = -1;
    double meilleur = 0.0;
    for (size_t p = 0; p < objets.size(); ++p) {
        const Objet_Fic& o = objets[p];
        const bool permis = o.Desc_Num >= 0 && static_cast<size_t>(o.Desc_Num) < joker.size() &&
                            joker[static_cast<size_t>(o.Desc_Num)];
        if (!permis || o.Nb_Car < 2 || o.Index_Car < 0 ||
            static_cast<size_t>(o.Index_Car) + static_cast<size_t>(o.Nb_Car) > nb_etats) {
            continue;
        }
        bool repondu = false;
        for (int j = 0; j < o.Nb_Car && !repondu; ++j)
            repondu = etats_choisis[static_cast<size_t>(o.Index_Car) + static_cast<size_t>(j)] != 0;
        if (repondu)
            continue;
        sommes_.assign(static_cast<size_t>(o.Nb_Car), 0);
        for (int j = 0; j < o.Nb_Car; ++j) sommes_[static_cast<size_t>(j)] = somme_etat(o.Index_Car + j);
        pouvoir[p] = Pouvoir(sommes_, n);
        if (meilleur < pouvoir[p]) {
            meilleur = pouvoir[p];
            meilleur_position = static_cast<int>(p);
        }
    }
    return meilleur_position;
}

}  // namespace kestrane
