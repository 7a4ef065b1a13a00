// The builder and the SDD exchange held to their invariants over generated keys: the small source
// with its species, weights, search flags, extra characters and matrix drawn at random, written as
// CSV files and as an SDD dataset, builds and imports into bases that give the key back, and
// both go out as SDD and come back the same.
#include <gtest/gtest.h>

#include <QString>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "Construction_Base.h"
#include "Export_Sdd.h"
#include "Import_Sdd.h"
#include "Outils_Test.h"

namespace fs = std::filesystem;

namespace kestrane::kb {
namespace {

struct Caractere_Genere {
    std::string Objet, Question, Cadre;
    std::vector<std::string> Etats;
    bool Joker = true;
    std::vector<int> Poids = {};
};
struct Espece_Generee {
    std::string Code, Nom, Famille;
    std::set<std::string> Etats;  // the states it shows
    bool Code_Sdd = false;        // the dataset gives its code (else the import makes one)
};
struct Cle_Generee {
    std::vector<Caractere_Genere> Caracteres;
    std::vector<Espece_Generee> Especes;
    std::set<std::pair<std::string, std::string>> Dependances;  // (parent state, dependent character)
};

// The small source's own characters (its other files name them) and up to three more, with drawn
// weights and flags; 2 to 8 species showing states drawn at random, in random order.
Cle_Generee Cle_Au_Hasard(std::mt19937& alea) {
    const auto tire = [&](int n) { return static_cast<int>(alea() % static_cast<unsigned>(n)); };
    Cle_Generee k{{{"Leaf_Type", "What kind of leaves?", "Leaf", {"LT_BROAD", "LT_NEEDLE"}},
                   {"Composition", "Simple or compound?", "Leaf", {"LC_SIMPLE", "LC_PINNATE", "LC_PALMATE"}},
                   {"Arrangement", "How are the leaves set?", "Twig", {"LA_ALT", "LA_OPP"}},
                   {"Fruit", "What fruit?", "Fruit", {"FR_KEY1", "FR_KEY2", "FR_CAPS", "FR_CONE"}}},
                  {},
                  {}};
    for (int c = 0, n = tire(4); c < n; ++c) {
        k.Caracteres.push_back({"Extra_" + std::to_string(c), "Extra " + std::to_string(c) + " & <more>?", tire(2) ? "Twig" : "Fruit", {}});
        for (int e = 0, nb = 2 + tire(3); e < nb; ++e) k.Caracteres.back().Etats.push_back("X" + std::to_string(c) + "_" + std::to_string(e));
    }
    for (auto& c : k.Caracteres) {
        c.Joker = tire(4) != 0;
        for (size_t e = 0; e < c.Etats.size(); ++e) c.Poids.push_back(tire(10));
    }
    // The source's own dependencies, and the fruit and the extra characters waiting for a state
    // (often the first) of a later character: no cycle.
    k.Dependances = {{"LT_BROAD", "Composition"}, {"LT_BROAD", "Arrangement"}};
    for (size_t c = 3; c + 1 < k.Caracteres.size(); ++c)
        if (tire(3) != 0) {
            const auto& parent = k.Caracteres[c + 1 + static_cast<size_t>(tire(static_cast<int>(k.Caracteres.size() - c - 1)))];
            k.Dependances.insert({parent.Etats[tire(2) ? 0 : static_cast<size_t>(tire(static_cast<int>(parent.Etats.size())))],
                                  k.Caracteres[c].Objet});
        }
    const char* genres[] = {"Acer", "Betula"};
    std::set<std::string> noms;
    std::map<std::string, int> par_genre;
    for (int s = 0, n = 2 + tire(7); s < n; ++s) {
        const std::string genre = genres[tire(2)];
        Espece_Generee e{"", "", tire(2) ? "Rosaceae" : "Betulaceae", {}, tire(2) == 0};
        do e.Nom = genre + " sp" + std::to_string(tire(30));
        while (!noms.insert(e.Nom).second);
        // The codes the import makes from such names (ACESP, ACES2...): given ones must not be made again.
        const int rang = ++par_genre[genre];
        e.Code = QString::fromStdString(genre.substr(0, 3)).toUpper().toStdString() + (rang == 1 ? "SP" : "S" + std::to_string(rang));
        for (const auto& c : k.Caracteres)
            for (const auto& etat : c.Etats)
                if (tire(3) == 0)
                    e.Etats.insert(etat);
        k.Especes.push_back(e);
    }
    std::shuffle(k.Especes.begin(), k.Especes.end(), alea);
    return k;
}

// The small source with the key's characters, species and matrix.
void Ecrit_Source(const fs::path& dossier, const Cle_Generee& k) {
    test::Copie_Source("petite", dossier);
    std::string car = "Objet,Question,Cadre,Joker,ID_CARAC,Etat,Poids,Image\n", matrice = "Code";
    for (const auto& c : k.Caracteres)
        for (size_t e = 0; e < c.Etats.size(); ++e) {
            car += c.Objet + "," + (e ? ",," : "\"" + c.Question + "\"," + c.Cadre + "," + (c.Joker ? "1" : "0")) + "," +
                   c.Etats[e] + ",State " + c.Etats[e] + "," + std::to_string(c.Poids[e]) + ",\n";
            matrice += "," + c.Etats[e];
        }
    std::string esp = "Code,Espece,Famille,Legende,Nom_en,Nom_fr\n";
    for (const auto& s : k.Especes) {
        esp += s.Code + "," + s.Nom + "," + s.Famille + ",,Tree " + s.Code + ",Arbre " + s.Code + "\n";
        matrice += "\n" + s.Code;
        for (const auto& c : k.Caracteres)
            for (const auto& etat : c.Etats) matrice += s.Etats.count(etat) ? ",1" : ",";
    }
    std::string dependances = "ID_CARAC,Objet\n";
    for (const auto& [etat, objet] : k.Dependances) dependances += etat + "," + objet + "\n";
    test::Ecrit_Texte(dossier / "dependances.csv", dependances);
    test::Ecrit_Texte(dossier / "caracteres.csv", car);
    test::Ecrit_Texte(dossier / "especes.csv", esp);
    test::Ecrit_Texte(dossier / "matrice.csv", matrice + "\n");
}

std::string Label(const std::string& texte) {
    std::string x;
    for (char c : texte) x += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    return "<Representation><Label>" + x + "</Label></Representation>";
}

// The key as an SDD dataset: weights of 1 and codes sometimes left to their defaults, a character
// showing every state sometimes not coded (open), one showing none coded "NotApplicable".
std::string Jeu_Sdd(const Cle_Generee& k, std::mt19937& alea) {
    std::string x = R"(<?xml version="1.0"?><Datasets xmlns="http://rs.tdwg.org/UBIF/2006/" xmlns:k="urn:kestrane:sdd:1">
<Dataset><TaxonNames>)";
    for (size_t t = 0; t < k.Especes.size(); ++t)
        x += "<TaxonName id=\"t" + std::to_string(t) + "\">" + Label(k.Especes[t].Nom) +
             (k.Especes[t].Code_Sdd ? "<k:Code value=\"" + k.Especes[t].Code + "\"/>" : "") + "</TaxonName>\n";
    x += "</TaxonNames><Characters>\n";
    for (const auto& c : k.Caracteres) {
        x += "<CategoricalCharacter id=\"" + c.Objet + "\">" + Label(c.Question) + "<States>\n";
        for (size_t e = 0; e < c.Etats.size(); ++e)
            x += "<StateDefinition id=\"" + c.Etats[e] + "\">" + Label("State " + c.Etats[e]) +
                 (c.Poids[e] == 1 && alea() % 2 ? "" : "<k:Weight value=\"" + std::to_string(c.Poids[e]) + "\"/>") +
                 "</StateDefinition>\n";
        x += std::string("</States>") + (c.Joker ? "" : "<k:Suggest value=\"false\"/>") + "</CategoricalCharacter>\n";
    }
    x += "</Characters><CodedDescriptions>\n";
    for (size_t t = 0; t < k.Especes.size(); ++t) {
        x += "<CodedDescription id=\"d" + std::to_string(t) + "\"><Scope><TaxonName ref=\"t" + std::to_string(t) +
             "\"/></Scope><SummaryData>\n";
        for (const auto& c : k.Caracteres) {
            std::string etats;
            size_t n = 0;
            for (const auto& e : c.Etats)
                if (k.Especes[t].Etats.count(e) && ++n)
                    etats += "<State ref=\"" + e + "\"/>";
            const bool depend = std::any_of(k.Dependances.begin(), k.Dependances.end(), [&](const auto& d) { return d.second == c.Objet; });
            if (n < c.Etats.size() || depend || alea() % 2)
                x += "<Categorical ref=\"" + c.Objet + "\">" + (etats.empty() ? "<Status code=\"NotApplicable\"/>" : etats) +
                     "</Categorical>\n";
        }
        x += "</SummaryData></CodedDescription>\n";
    }
    x += "</CodedDescriptions><CharacterTrees><CharacterTree><Nodes>\n";
    for (const auto& c : k.Caracteres) {
        std::string regles;
        for (const auto& [etat, objet] : k.Dependances)
            if (objet == c.Objet)
                regles += "<State ref=\"" + etat + "\"/>";
        x += "<CharNode>" + (regles.empty() ? "" : "<DependencyRules><OnlyApplicableIf>" + regles + "</OnlyApplicableIf></DependencyRules>") +
             "<Character ref=\"" + c.Objet + "\"/></CharNode>\n";
    }
    return x + "</Nodes></CharacterTree></CharacterTrees></Dataset></Datasets>\n";
}

// The base gives the key back: each character (by name) with its question, flag, frame and states
// numbered in order with their weights; each species (by name) with its code (unique, the key's
// where the source gives it), family (the genus when the dataset has none) and states; the
// dependencies.
void Verifie(const Base_Connaissance& b, const Cle_Generee& k, bool sdd) {
    std::map<std::string, std::set<int>> cadres;
    for (const auto& c : k.Caracteres) {
        const Objet_Fic* o = b.Trouve_Objet(c.Objet);
        ASSERT_TRUE(o) << c.Objet;
        EXPECT_EQ(std::tuple(o->TipText, o->Joker, o->Nb_Car), std::tuple(c.Question, c.Joker, static_cast<int>(c.Etats.size())));
        cadres[c.Cadre].insert(o->Cadre);
        for (int e = 0; e < o->Nb_Car; ++e) {
            const Etat_Caractere* etat = b.Etat_Par_Numero(o->Index_Car + e);
            ASSERT_TRUE(etat && static_cast<size_t>(etat->NUM) < b.Poids.size());
            EXPECT_EQ(std::tuple(etat->ID_CARAC, static_cast<int>(b.Poids[static_cast<size_t>(etat->NUM)])),
                      std::tuple(c.Etats[static_cast<size_t>(e)], c.Poids[static_cast<size_t>(e)]));
        }
    }
    std::set<int> numeros;  // without descriptive concepts the dataset has a single frame; the source one per name
    for (const auto& [nom, n] : cadres) numeros.insert(n.begin(), n.end());
    EXPECT_EQ(numeros.size(), sdd ? 1u : cadres.size());
    ASSERT_EQ(b.Nb_Esp, static_cast<int>(k.Especes.size()));
    std::set<std::string> codes;
    for (const auto& e : k.Especes) {
        const auto nom = std::find(b.Nom_Esp.begin(), b.Nom_Esp.end(), e.Nom);
        ASSERT_NE(nom, b.Nom_Esp.end()) << e.Nom;
        const int s = static_cast<int>(nom - b.Nom_Esp.begin());
        const Espece_Flore& f = b.Flore[static_cast<size_t>(s)];
        EXPECT_EQ(f.Famille, sdd ? e.Nom.substr(0, e.Nom.find(' ')) : e.Famille);
        EXPECT_TRUE(sdd ? f.Code.size() == 5 : f.Code == e.Code) << f.Code;
        EXPECT_TRUE(codes.insert(f.Code).second) << "code " << f.Code << " twice";
        std::set<std::string> montres;
        for (const auto& etat : b.Caracteres)
            if (b.Matrice(s, etat.NUM) != 0)
                montres.insert(etat.ID_CARAC);
        EXPECT_EQ(montres, e.Etats) << e.Nom;
    }
    for (const auto& e : k.Especes)  // a code given is a species' (its own, unless made for an earlier one)
        EXPECT_TRUE(!sdd || !e.Code_Sdd || codes.count(e.Code)) << e.Code;
    std::set<std::pair<std::string, std::string>> dependances;
    for (const Dependance& d : b.Descendance) dependances.insert({d.ID_CARAC, d.Objet});
    EXPECT_EQ(dependances, k.Dependances);
}

// Everything an identification reads of a base, one thing a line, so that two bases of one key
// compare as texts (and a difference shows as one): each character with its number, frame,
// search flag, question (and its French text) and its states with their weights; each species
// with its code, family and the states it shows; the dependencies.
std::string Cle_Lisible(const Base_Connaissance& b) {
    std::ostringstream out;
    for (const Objet_Fic& o : b.Objets) {
        out << o.Objet << " #" << o.Desc_Num << " frame " << o.Cadre << (o.Joker ? "" : " never proposed") << ": "
            << o.TipText << " / " << b.Textes.Question(o, "fr") << "\n";
        for (int e = o.Index_Car; e < o.Index_Car + o.Nb_Car; ++e)
            out << "  " << e << " " << b.Etat_Par_Numero(e)->ID_CARAC << " weight " << b.Poids.at(static_cast<size_t>(e)) << "\n";
    }
    for (int s = 0; s < b.Nb_Esp; ++s) {
        const Espece_Flore& f = b.Flore.at(static_cast<size_t>(s));
        out << b.Nom_Esp[static_cast<size_t>(s)] << " (" << f.Code << ", " << f.Famille << "):";
        for (const Etat_Caractere& e : b.Caracteres) out << (b.Matrice(s, e.NUM) != 0 ? " " + e.ID_CARAC : "");
        out << "\n";
    }
    std::set<std::string> dependances;
    for (const Dependance& d : b.Descendance) dependances.insert(d.Objet + " after " + d.ID_CARAC + "\n");
    for (const auto& d : dependances) out << d;
    return out.str();
}

// A built base written as SDD by the tool and read back: the same key.
void Aller_Retour(const fs::path& base, const fs::path& dossier, const std::string& code) {
    const auto [statut, sortie] = test::Execute(std::string(KB_OUTIL) + " export-sdd " + base.string() + " " +
                                                (dossier / "export.xml").string());
    ASSERT_EQ(statut, 0) << sortie;
    EXPECT_NE(test::Lit_Texte(dossier / "export.xml").find("<kestrane:Code value=\"" + code + "\"/>"), std::string::npos);
    const Status retour = Importe_Sdd((dossier / "export.xml").string(), (dossier / "retour").string(), nullptr);
    ASSERT_TRUE(retour.ok()) << retour.message();
    const auto avant = test::Charge(base), apres = test::Charge(dossier / "retour");
    ASSERT_TRUE(avant && apres);
    EXPECT_EQ(Cle_Lisible(*apres), Cle_Lisible(*avant));
}

// {generated key} -> its source builds and its dataset imports into the key; both bases go out as
// SDD and come back the same (the source's with its frames, dependencies and translations).
TEST(Proprietes_Cles, BuildAndImportGiveTheKeyAndTheExchangeKeepsIt) {
    std::mt19937 alea(2026);
    for (int essai = 0; essai < 3; ++essai) {
        SCOPED_TRACE("essai " + std::to_string(essai));
        const Cle_Generee k = Cle_Au_Hasard(alea);
        test::Dossier_Test d("kb-proprietes");
        Ecrit_Source(d.Chemin() / "source", k);
        const Status construite = Construit_Base(d / "source", d / "base");
        ASSERT_TRUE(construite.ok()) << construite.message();
        test::Ecrit_Texte(d.Chemin() / "jeu.xml", Jeu_Sdd(k, alea));
        const Status importee = Importe_Sdd(d / "jeu.xml", d / "import", nullptr);
        ASSERT_TRUE(importee.ok()) << importee.message();
        for (const bool sdd : {false, true}) {
            SCOPED_TRACE(sdd ? "imported" : "built");
            const fs::path base = d.Chemin() / (sdd ? "import" : "base");
            const auto b = test::Charge(base);
            ASSERT_TRUE(b);
            Verifie(*b, k, sdd);
            fs::create_directory(d.Chemin() / (sdd ? "sdd" : "csv"));
            Aller_Retour(base, d.Chemin() / (sdd ? "sdd" : "csv"), b->Flore[0].Code);
        }
    }
}

}  // namespace
}  // namespace kestrane::kb
