// The builder held to its invariants over generated sources: the small source with its species,
// weights, search flags, extra characters and matrix drawn at random builds into a base that gives
// back every species with its code, family and states, and every character with its question,
// flag and weighted states.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>
#include <set>

#include "Construction_Base.h"
#include "Outils_Test.h"

namespace fs = std::filesystem;

namespace kestrane::kb {
namespace {

struct Caractere_Genere {
    std::string Objet, Question, Cadre;
    bool Joker = true;
    std::vector<std::string> Etats;
    std::vector<int> Poids;
};

struct Espece_Generee {
    std::string Code, Nom, Famille;
    std::set<std::string> Etats;  // the states it shows
};

// The small source's own characters (its other files name them) with drawn weights and flags, and
// up to three more.
std::vector<Caractere_Genere> Caracteres_Au_Hasard(std::mt19937& alea) {
    const auto tire = [&](int n) { return static_cast<int>(alea() % static_cast<unsigned>(n)); };
    std::vector<Caractere_Genere> out{
        {"Leaf_Type", "What kind of leaves?", "Leaf", true, {"LT_BROAD", "LT_NEEDLE"}, {}},
        {"Composition", "Simple or compound?", "Leaf", true, {"LC_SIMPLE", "LC_PINNATE", "LC_PALMATE"}, {}},
        {"Arrangement", "How are the leaves set?", "Twig", true, {"LA_ALT", "LA_OPP"}, {}},
        {"Fruit", "What fruit?", "Fruit", true, {"FR_KEY1", "FR_KEY2", "FR_CAPS", "FR_CONE"}, {}}};
    for (int c = 0, n = tire(4); c < n; ++c) {
        Caractere_Genere extra{"Extra_" + std::to_string(c), "Extra question " + std::to_string(c) + "?",
                               tire(2) ? "Twig" : "Fruit", true, {}, {}};
        for (int e = 0, k = 2 + tire(3); e < k; ++e) extra.Etats.push_back("X" + std::to_string(c) + "_" + std::to_string(e));
        out.push_back(extra);
    }
    for (auto& c : out) {
        c.Joker = tire(4) != 0;
        for (size_t e = 0; e < c.Etats.size(); ++e) c.Poids.push_back(tire(10));
    }
    return out;
}

std::vector<Espece_Generee> Especes_Au_Hasard(std::mt19937& alea, const std::vector<Caractere_Genere>& caracteres) {
    const auto tire = [&](int n) { return static_cast<int>(alea() % static_cast<unsigned>(n)); };
    const char* genres[] = {"Acer", "Betula", "Pinus", "Sorbus"};
    std::vector<Espece_Generee> out;
    std::set<std::string> noms;
    for (int s = 0, n = 2 + tire(7); s < n; ++s) {
        Espece_Generee e;
        do e.Nom = std::string(genres[tire(4)]) + " sp" + std::to_string(tire(30));
        while (!noms.insert(e.Nom).second);
        e.Code = "SP" + std::to_string(100 + s);
        e.Famille = tire(2) ? "Rosaceae" : "Betulaceae";
        for (const auto& c : caracteres)
            for (const auto& etat : c.Etats)
                if (tire(3) == 0)
                    e.Etats.insert(etat);
        out.push_back(e);
    }
    std::shuffle(out.begin(), out.end(), alea);
    return out;
}

void Ecrit_Source(const fs::path& dossier, const std::vector<Caractere_Genere>& caracteres,
                  const std::vector<Espece_Generee>& especes) {
    std::string car = "Objet,Question,Cadre,Joker,ID_CARAC,Etat,Poids,Image\n";
    std::string matrice = "Code";
    for (const auto& c : caracteres)
        for (size_t e = 0; e < c.Etats.size(); ++e) {
            car += c.Objet + "," + (e == 0 ? c.Question + "," + c.Cadre + "," + (c.Joker ? "1" : "0") : ",,") + "," +
                   c.Etats[e] + ",State " + c.Etats[e] + "," + std::to_string(c.Poids[e]) + ",\n";
            matrice += "," + c.Etats[e];
        }
    matrice += "\n";
    std::string esp = "Code,Espece,Famille,Legende,Nom_en,Nom_fr\n";
    for (const auto& s : especes) {
        esp += s.Code + "," + s.Nom + "," + s.Famille + ",,Tree " + s.Code + ",Arbre " + s.Code + "\n";
        matrice += s.Code;
        for (const auto& c : caracteres)
            for (const auto& etat : c.Etats) matrice += s.Etats.count(etat) ? ",1" : ",";
        matrice += "\n";
    }
    test::Ecrit_Texte(dossier / "caracteres.csv", car);
    test::Ecrit_Texte(dossier / "especes.csv", esp);
    test::Ecrit_Texte(dossier / "matrice.csv", matrice);
}

// {generated source} -> a base with each species (by code) under its name and family showing its
// states, each character with its states numbered in source order, its question, frame, flag, states and weights.
TEST(Proprietes_Construction, TheBaseGivesBackTheSourcesSpeciesCharactersAndMatrix) {
    std::mt19937 alea(2026);
    for (int essai = 0; essai < 3; ++essai) {
        SCOPED_TRACE("essai " + std::to_string(essai));
        const auto caracteres = Caracteres_Au_Hasard(alea);
        const auto especes = Especes_Au_Hasard(alea, caracteres);
        test::Dossier_Test d("kb-proprietes");
        test::Copie_Source("petite", d.Chemin() / "source");
        Ecrit_Source(d.Chemin() / "source", caracteres, especes);
        const Status s = Construit_Base(d / "source", d / "base");
        ASSERT_TRUE(s.ok()) << s.message();
        const auto base = test::Charge(d.Chemin() / "base");
        ASSERT_TRUE(base);
        const Base_Connaissance& b = *base;
        ASSERT_EQ(b.Objets.size(), caracteres.size());
        int numero = 0;
        for (size_t c = 0; c < caracteres.size(); ++c) {
            const auto& attendu = caracteres[c];
            const Objet_Fic* trouve = b.Trouve_Objet(attendu.Objet);
            ASSERT_TRUE(trouve) << attendu.Objet;
            const Objet_Fic& o = *trouve;
            EXPECT_EQ(std::tuple(o.Objet, o.TipText, o.Joker, o.Index_Car, o.Nb_Car),
                      std::tuple(attendu.Objet, attendu.Question, attendu.Joker, numero,
                                 static_cast<int>(attendu.Etats.size())));
            ASSERT_TRUE(o.Cadre >= 0 && o.Cadre < b.Nb_Cadre);
            for (size_t e = 0; e < attendu.Etats.size(); ++e, ++numero) {
                const Etat_Caractere* etat = b.Etat_Par_Numero(numero);
                ASSERT_TRUE(etat && static_cast<size_t>(numero) < b.Poids.size());
                EXPECT_EQ(std::tuple(etat->ID_CARAC, static_cast<int>(b.Poids[static_cast<size_t>(numero)])),
                          std::tuple(attendu.Etats[e], attendu.Poids[e]));
            }
        }
        // Characters of one frame share its number, and different frames have different numbers.
        std::map<std::string, std::set<int>> cadres;
        for (size_t c = 0; c < caracteres.size(); ++c) cadres[caracteres[c].Cadre].insert(b.Trouve_Objet(caracteres[c].Objet)->Cadre);
        std::set<int> numeros;
        for (const auto& [nom, n] : cadres) {
            EXPECT_EQ(n.size(), 1u) << nom;
            numeros.insert(*n.begin());
        }
        EXPECT_EQ(numeros.size(), cadres.size());
        ASSERT_EQ(b.Nb_Esp, static_cast<int>(especes.size()));
        for (const auto& e : especes) {
            const auto it = std::find_if(b.Flore.begin(), b.Flore.end(), [&](const auto& f) { return f.Code == e.Code; });
            ASSERT_NE(it, b.Flore.end()) << e.Code;
            const int s = static_cast<int>(it - b.Flore.begin());
            EXPECT_EQ(std::tuple(it->Espece, it->Famille, b.Nom_Esp[static_cast<size_t>(s)]),
                      std::tuple(e.Nom, e.Famille, e.Nom));
            std::set<std::string> montres;
            for (const auto& etat : b.Caracteres)
                if (b.Matrice(s, etat.NUM) != 0)
                    montres.insert(etat.ID_CARAC);
            EXPECT_EQ(montres, e.Etats) << e.Nom;
        }
    }
}

}  // namespace
}  // namespace kestrane::kb
