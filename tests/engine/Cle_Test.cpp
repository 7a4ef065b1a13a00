#include "Cle_Test.h"

#include <gtest/gtest.h>

namespace kestrane::test {

Description_Base Description_Cle(const std::string& sql_supplementaire) {
    Description_Base d;
    d.nb_contraintes = 3;
    // clang-format off
    d.sql = Parametres_SQL({{"Nb_Esp", "4"}, {"Nb_Etats_Desc", "9"}, {"Nb_Cadre", "3"}, {"Nb_Robot", "2"},
                            {"Nb_But_Deter", "3"}, {"Nb_But_Quest", "3"}, {"Nb_Couleurs", "0"}, {"Nb_Contraintes", "3"}}) +
            R"sql(
INSERT INTO Flore VALUES ('Acer', 'ACECA', 'Aceraceae', '');
INSERT INTO Flore VALUES ('Betula', 'BETPE', 'Betulaceae', '');
INSERT INTO Flore VALUES ('Carpinus', 'CARBE', 'Betulaceae', '');
INSERT INTO Flore VALUES ('Fraxinus', 'FRAEX', 'Oleaceae', '');
INSERT INTO Caracteres VALUES (0, 'F_SIMPLE', 'Simple leaf');
INSERT INTO Caracteres VALUES (1, 'F_COMP', 'Compound leaf');
INSERT INTO Caracteres VALUES (2, 'FOL_3', 'Three leaflets');
INSERT INTO Caracteres VALUES (3, 'FOL_5', 'Five leaflets');
INSERT INTO Caracteres VALUES (4, 'FOL_7', 'Seven leaflets');
INSERT INTO Caracteres VALUES (5, 'M_ENTIERE', 'Entire margin');
INSERT INTO Caracteres VALUES (6, 'M_DENTEE', 'Toothed margin');
INSERT INTO Caracteres VALUES (7, 'E_LISSE', 'Smooth bark');
INSERT INTO Caracteres VALUES (8, 'E_RUGUEUSE', 'Rough bark');
INSERT INTO Objets_Fic VALUES ('Feuille', 0, 0, 2, 1, 2, 0, 'feuille', 'Leaf type', 1);
INSERT INTO Objets_Fic VALUES ('Foliole', 1, 2, 3, 1, 3, 1, 'foliole', 'Leaflets', 1);
INSERT INTO Objets_Fic VALUES ('Marge', 2, 5, 2, 1, 2, 1, 'marge', 'Margin', 1);
INSERT INTO Objets_Fic VALUES ('Ecorce', 3, 7, 2, 1, 2, 2, 'ecorce', 'Bark', 1);
INSERT INTO Descendance VALUES (1, 'F_COMP', 'Foliole');
INSERT INTO Descendance VALUES (2, 'FOL_5', 'Marge');
INSERT INTO Hierarchie (Numero, Robot_Num, Nom, C_0, C_1, C_2) VALUES (1, 0, 'tronc01.wmf', 'E_RUGUEUSE', 'Fin', NULL);
INSERT INTO Hierarchie (Numero, Robot_Num, Nom, C_0, C_1, C_2) VALUES (2, 0, 'tronc00.wmf', 'Fin', NULL, NULL);
INSERT INTO Hierarchie (Numero, Robot_Num, Nom, C_0, C_1, C_2) VALUES (3, 1, 'feuille_comp', 'F_COMP', 'Fin', NULL);
INSERT INTO Hierarchie (Numero, Robot_Num, Nom, C_0, C_1, C_2) VALUES (4, 1, 'feuille', 'Fin', NULL, NULL);
INSERT INTO Contradictions VALUES ('Ecorce', -1, 'ecorce_x');
INSERT INTO Contradictions VALUES ('Feuille', 2, 'feuille_x');
INSERT INTO But_Deter VALUES (1, 'Bark', 'ecorce.bmp', 'Bark', 'Ecorce');
INSERT INTO But_Deter VALUES (2, 'Leaf', 'feuille.bmp', 'Leaf', 'Feuille');
INSERT INTO But_Deter VALUES (3, 'Search', 'search.bmp', 'Search', 'Search');
INSERT INTO But_Quest VALUES (1, 'OK', 'ok.bmp', 'Accept');
INSERT INTO But_Quest VALUES (2, 'Next', 'next.bmp', 'Next');
INSERT INTO But_Quest VALUES (3, 'Back', 'back.bmp', 'Back');
)sql" + sql_supplementaire;
    // clang-format on
    d.poids = {2, 2, 1, 1, 1, 1, 1, 1, 1};
    // Matrix, state-major: one line per state, species Acer, Betula, Carpinus, Fraxinus.
    d.matrice = {
        1, 1, 1, 0,  // F_SIMPLE
        0, 0, 0, 1,  // F_COMP
        0, 0, 0, 0,  // FOL_3
        0, 0, 0, 1,  // FOL_5
        0, 0, 0, 1,  // FOL_7
        0, 1, 0, 1,  // M_ENTIERE
        1, 0, 1, 0,  // M_DENTEE
        1, 1, 0, 0,  // E_LISSE
        0, 0, 1, 1,  // E_RUGUEUSE
    };
    return d;
}

Base_Chargee Charge(const Description_Base& description) {
    Base_Chargee b;
    b.Dossier = std::make_unique<Base_Temporaire>(description);
    Chargement c = Charge_Base(b.Dossier->Lieux(), nullptr);
    EXPECT_FALSE(c.Echec.has_value()) << (c.Echec ? c.Echec->Message + " " + c.Echec->Detail : "");
    b.Base = std::move(c.Base);
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
