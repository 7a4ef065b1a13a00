#include "Graphe_Descendance.h"

#include <algorithm>
#include <map>
#include <string>

#include "Conversions.h"

namespace kestrane {

Graphe_Descendance::Graphe_Descendance(const Base_Connaissance& base) {
    const size_t nb_etats = static_cast<size_t>(std::max<int>(base.Nb_Etats_Desc, 0));
    dependants_.resize(nb_etats);
    vu_.assign(nb_etats, 0);

    // Rows by parent identifier, in record order.
    std::map<std::string, std::vector<Plage>> par_parent;
    for (const Dependance& d : base.Descendance) {
        const Objet_Fic* objet = base.Trouve_Objet(d.Objet);
        if (objet == nullptr)
            continue;
        if (objet->Index_Car < 0 || objet->Nb_Car <= 0 ||
            objet->Index_Car + objet->Nb_Car > static_cast<int>(nb_etats)) {
            continue;
        }
        par_parent[To_Upper_Ascii(d.ID_CARAC)].push_back({objet->Index_Car, objet->Nb_Car});
    }
    if (par_parent.empty())
        return;
    for (const Etat_Caractere& etat : base.Caracteres) {
        if (etat.NUM < 0 || static_cast<size_t>(etat.NUM) >= nb_etats)
            continue;
        // The record of a state number is the first one in index order, as a seek finds it.
        if (base.Etat_Par_Numero(etat.NUM) != &etat)
            continue;
        const auto it = par_parent.find(To_Upper_Ascii(etat.ID_CARAC));
        if (it != par_parent.end())
            dependants_[static_cast<size_t>(etat.NUM)] = it->second;
    }
}

const std::vector<Graphe_Descendance::Plage>& Graphe_Descendance::Dependants(int etat) const {
    static const std::vector<Plage> aucun;
    return etat >= 0 && static_cast<size_t>(etat) < dependants_.size()
               ? dependants_[static_cast<size_t>(etat)]
               : aucun;
}

void Graphe_Descendance::Nettoie_Descendance(int ancien_provenance, std::vector<int16_t>& etats_choisis) {
    if (ancien_provenance < 0 || static_cast<size_t>(ancien_provenance) >= dependants_.size())
        return;
    const size_t limite = std::min(etats_choisis.size(), dependants_.size());
    pile_.clear();
    touches_.clear();
    pile_.push_back(ancien_provenance);
    vu_[static_cast<size_t>(ancien_provenance)] = 1;
    touches_.push_back(ancien_provenance);
    while (!pile_.empty()) {
        const int etat = pile_.back();
        pile_.pop_back();
        for (const Plage& plage : dependants_[static_cast<size_t>(etat)]) {
            for (int k = plage.Premier; k < plage.Premier + plage.Nombre; ++k) {
                const auto i = static_cast<size_t>(k);
                if (i < limite)
                    etats_choisis[i] = 0;
                if (vu_[i] != 0)
                    continue;
                vu_[i] = 1;
                touches_.push_back(k);
                pile_.push_back(k);
            }
        }
    }
    for (const int k : touches_) vu_[static_cast<size_t>(k)] = 0;
}

}  // namespace kestrane
