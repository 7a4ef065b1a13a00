#include "Cle_Test.h"

#include <gtest/gtest.h>

namespace kestrane::test {

Cle_Chargee Charge_Cle(const std::string& sql) {
    Cle_Chargee b{std::make_unique<Copie_Base>("cle"), nullptr};
    if (!sql.empty())
        b.Copie->Execute_SQL(sql);
    b.Base = Charge_Ou_Echoue(b.Copie->Lieux());
    return b;
}

std::unique_ptr<Base_Connaissance> Construit(const Cle_Memoire& cle) {
    auto base = std::make_unique<Base_Connaissance>();
    std::vector<int> premier;
    for (size_t c = 0; c < cle.etats.size(); ++c) {
        premier.push_back(base->Nb_Etats_Desc);
        Objet_Fic o;
        o.Objet = "C" + std::to_string(c);
        o.Desc_Num = static_cast<int>(c);
        o.Index_Car = base->Nb_Etats_Desc;
        o.Nb_Car = cle.etats[c];
        o.Joker = true;
        base->Objets.push_back(o);
        for (int j = 0; j < cle.etats[c]; ++j) {
            base->Caracteres.push_back({base->Nb_Etats_Desc++, o.Objet + "_" + std::to_string(j), ""});
            base->Poids.push_back(cle.poids.empty() ? int16_t{1} : cle.poids[c]);
        }
    }
    base->Nb_Esp = static_cast<int>(cle.especes.size());
    base->Matrice = Matrice_Especes(base->Nb_Esp, base->Nb_Etats_Desc);
    for (int s = 0; s < base->Nb_Esp; ++s) {
        base->Nom_Esp.push_back("S" + std::to_string(s));
        for (size_t c = 0; c < cle.etats.size(); ++c) {
            if (const int j = cle.especes[static_cast<size_t>(s)][c]; j >= 0)
                base->Matrice(s, premier[c] + j) = 1;
        }
    }
    for (const auto& [c, p, j] : cle.dependances) {
        base->Descendance.push_back({static_cast<int>(base->Descendance.size()) + 1,
                                     "C" + std::to_string(p) + "_" + std::to_string(j),
                                     "C" + std::to_string(c)});
    }
    base->Joker.assign(cle.etats.size(), true);
    base->Indexe();
    return base;
}

std::unique_ptr<Base_Connaissance> Construit_Vide(int nb_esp, const std::vector<int>& etats) {
    const std::vector<int> aucun(etats.size(), -1);
    return Construit({etats, {}, std::vector<std::vector<int>>(static_cast<size_t>(nb_esp), aucun), {}});
}

}  // namespace kestrane::test
