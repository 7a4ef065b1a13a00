// The SDD exchange held to its invariants over generated datasets: a dataset imports into a base
// whose species, codes, characters, states, weights, search flags and matrix are the dataset's,
// and that base exported and imported again is the same key.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>
#include <set>

#include "Export_Sdd.h"
#include "Import_Sdd.h"
#include "Outils_Test.h"

namespace fs = std::filesystem;

namespace kestrane::kb {
namespace {

struct Caractere_Genere {
    std::string Id, Question;
    bool Propose = true;
    std::vector<std::string> Etats;
    std::vector<int> Poids;  // -1: not given (weight 1)
};

struct Taxon_Genere {
    std::string Nom, Code;  // Code "" when not given
    // By character: the states coded (indexes), or -1 alone for "not coded" (every state), or
    // nothing for "not applicable" (no state).
    std::vector<std::vector<int>> Codage;
};

struct Jeu_Genere {
    std::vector<Caractere_Genere> Caracteres;
    std::vector<Taxon_Genere> Taxons;
};

Jeu_Genere Jeu_Au_Hasard(std::mt19937& alea) {
    const auto tire = [&](int n) { return static_cast<int>(alea() % static_cast<unsigned>(n)); };
    Jeu_Genere j;
    const int nb_car = 1 + tire(5);
    for (int c = 0; c < nb_car; ++c) {
        Caractere_Genere car{"c" + std::to_string(c), "Question " + std::to_string(c) + (c % 2 ? " & <more>" : " é"),
                             tire(4) != 0, {}, {}};
        for (int e = 0, k = 2 + tire(3); e < k; ++e) {
            car.Etats.push_back("c" + std::to_string(c) + "s" + std::to_string(e));
            car.Poids.push_back(tire(3) == 0 ? -1 : tire(10));
        }
        j.Caracteres.push_back(car);
    }
    const char* genres[] = {"Abies", "Quercus", "Salix", "Tilia"};
    std::set<std::string> noms;
    for (int t = 0, n = 2 + tire(5); t < n; ++t) {
        Taxon_Genere taxon;
        do taxon.Nom = std::string(genres[tire(4)]) + " sp" + std::to_string(tire(20));
        while (!noms.insert(taxon.Nom).second);
        if (tire(2) == 0)
            taxon.Code = "K" + std::to_string(1000 + t);
        for (const auto& car : j.Caracteres) {
            std::vector<int> etats;
            const int genre = tire(8);
            if (genre == 0)
                etats = {-1};
            else if (genre > 1)
                for (int e = 0; e < static_cast<int>(car.Etats.size()); ++e)
                    if (tire(3) == 0 || (e + 1 == static_cast<int>(car.Etats.size()) && etats.empty()))
                        etats.push_back(e);
            taxon.Codage.push_back(etats);
        }
        j.Taxons.push_back(taxon);
    }
    return j;
}

std::string Echappe(const std::string& texte) {
    std::string out;
    for (char c : texte) out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    return out;
}

std::string Label(const std::string& texte) {
    return "<Representation><Label>" + Echappe(texte) + "</Label></Representation>";
}

std::string Xml(const Jeu_Genere& j) {
    std::string x = "<?xml version=\"1.0\"?>\n<Datasets xmlns=\"http://rs.tdwg.org/UBIF/2006/\" "
                    "xmlns:k=\"urn:kestrane:sdd:1\">\n<Dataset>\n<TaxonNames>\n";
    for (size_t t = 0; t < j.Taxons.size(); ++t) {
        const auto& taxon = j.Taxons[t];
        x += "<TaxonName id=\"t" + std::to_string(t) + "\">" + Label(taxon.Nom) +
             (taxon.Code.empty() ? "" : "<k:Code value=\"" + taxon.Code + "\"/>") + "</TaxonName>\n";
    }
    x += "</TaxonNames>\n<Characters>\n";
    for (const auto& c : j.Caracteres) {
        x += "<CategoricalCharacter id=\"" + c.Id + "\">" + Label(c.Question) + "<States>\n";
        for (size_t e = 0; e < c.Etats.size(); ++e)
            x += "<StateDefinition id=\"" + c.Etats[e] + "\">" + Label("State " + c.Etats[e]) +
                 (c.Poids[e] < 0 ? "" : "<k:Weight value=\"" + std::to_string(c.Poids[e]) + "\"/>") +
                 "</StateDefinition>\n";
        x += std::string("</States>") + (c.Propose ? "" : "<k:Suggest value=\"false\"/>") + "</CategoricalCharacter>\n";
    }
    x += "</Characters>\n<CodedDescriptions>\n";
    for (size_t t = 0; t < j.Taxons.size(); ++t) {
        x += "<CodedDescription id=\"d" + std::to_string(t) + "\"><Scope><TaxonName ref=\"t" + std::to_string(t) +
             "\"/></Scope><SummaryData>\n";
        for (size_t c = 0; c < j.Caracteres.size(); ++c) {
            const auto& etats = j.Taxons[t].Codage[c];
            if (etats == std::vector<int>{-1})
                continue;
            x += "<Categorical ref=\"" + j.Caracteres[c].Id + "\">";
            for (const int e : etats) x += "<State ref=\"" + j.Caracteres[c].Etats[static_cast<size_t>(e)] + "\"/>";
            x += std::string(etats.empty() ? "<Status code=\"NotApplicable\"/>" : "") + "</Categorical>\n";
        }
        x += "</SummaryData></CodedDescription>\n";
    }
    return x + "</CodedDescriptions>\n</Dataset>\n</Datasets>\n";
}

// {generated dataset} -> the imported base has its species (their codes kept when given, unique
// otherwise; their genus as family), its characters in order with their questions, search flags
// and states with their weights, and each taxon the states it is coded with (every state where it
// is not coded, none where not applicable); exported and imported again, the same key.
TEST(Proprietes_Sdd, ImportGivesTheDatasetsKeyAndTheRoundTripKeepsIt) {
    std::mt19937 alea(97);
    for (int essai = 0; essai < 4; ++essai) {
        SCOPED_TRACE("essai " + std::to_string(essai));
        const Jeu_Genere j = Jeu_Au_Hasard(alea);
        test::Dossier_Test d("kb-sdd-proprietes");
        test::Ecrit_Texte(d.Chemin() / "jeu.xml", Xml(j));
        std::vector<std::string> avertissements;
        const Status s = Importe_Sdd(d / "jeu.xml", d / "base", &avertissements);
        ASSERT_TRUE(s.ok()) << s.message() << "\n" << Xml(j);
        const auto base = test::Charge(d.Chemin() / "base");
        ASSERT_TRUE(base);
        const Base_Connaissance& b = *base;
        ASSERT_EQ(b.Objets.size(), j.Caracteres.size());
        for (size_t c = 0; c < j.Caracteres.size(); ++c) {
            const auto& attendu = j.Caracteres[c];
            const Objet_Fic& o = b.Objets[c];
            EXPECT_EQ(std::tuple(o.Objet, o.TipText, o.Joker, o.Nb_Car),
                      std::tuple(attendu.Id, attendu.Question, attendu.Propose, static_cast<int>(attendu.Etats.size())));
            for (int e = 0; e < o.Nb_Car && static_cast<size_t>(e) < attendu.Etats.size(); ++e) {
                const Etat_Caractere* etat = b.Etat_Par_Numero(o.Index_Car + e);
                ASSERT_TRUE(etat);
                const int poids = attendu.Poids[static_cast<size_t>(e)];
                EXPECT_EQ(std::tuple(etat->ID_CARAC, static_cast<int>(b.Poids[static_cast<size_t>(etat->NUM)])),
                          std::tuple(attendu.Etats[static_cast<size_t>(e)], poids < 0 ? 1 : poids));
            }
        }
        ASSERT_EQ(b.Nb_Esp, static_cast<int>(j.Taxons.size()));
        std::set<std::string> codes;
        for (const auto& taxon : j.Taxons) {
            const auto it = std::find(b.Nom_Esp.begin(), b.Nom_Esp.end(), taxon.Nom);
            ASSERT_NE(it, b.Nom_Esp.end()) << taxon.Nom;
            const int s = static_cast<int>(it - b.Nom_Esp.begin());
            const Espece_Flore& f = b.Flore[static_cast<size_t>(s)];
            EXPECT_EQ(f.Famille, taxon.Nom.substr(0, taxon.Nom.find(' ')));
            EXPECT_TRUE(taxon.Code.empty() ? f.Code.size() == 5 : f.Code == taxon.Code) << f.Code;
            EXPECT_TRUE(codes.insert(f.Code).second) << "code " << f.Code << " twice";
            for (size_t c = 0; c < j.Caracteres.size(); ++c) {
                const Objet_Fic& o = b.Objets[c];
                std::vector<int> montres;
                for (int e = 0; e < o.Nb_Car; ++e)
                    if (b.Matrice(s, o.Index_Car + e) != 0)
                        montres.push_back(e);
                std::vector<int> attendus = taxon.Codage[c];
                if (attendus == std::vector<int>{-1}) {
                    attendus.clear();
                    for (int e = 0; e < o.Nb_Car; ++e) attendus.push_back(e);
                }
                EXPECT_EQ(montres, attendus) << taxon.Nom << ", " << o.Objet;
            }
        }
        // Out and back in.
        const Status sortie = Exporte_Sdd(d / "base", d / "export.xml");
        ASSERT_TRUE(sortie.ok()) << sortie.message();
        const Status retour = Importe_Sdd(d / "export.xml", d / "retour", nullptr);
        ASSERT_TRUE(retour.ok()) << retour.message();
        const auto apres = test::Charge(d.Chemin() / "retour");
        ASSERT_TRUE(apres);
        EXPECT_EQ(test::Cle_Lisible(*apres), test::Cle_Lisible(b));
    }
}

}  // namespace
}  // namespace kestrane::kb
