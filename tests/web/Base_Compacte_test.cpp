// The compact base file: the model read back from it is the model the SQLite loader built; damaged
// files are refused with a message; matrix values a byte cannot carry are refused when writing.

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "Base_Compacte.h"
#include "Base_Test.h"
#include "Cle_Test.h"
#include "Ecriture_Base_Compacte.h"
#include "Palette_Sampler.h"
#include "Schema_Base.h"

namespace kestrane::test {
namespace {

void Attend_Meme_Modele(const Base_Connaissance& a, const Base_Connaissance& b) {
    const auto comptes = [](const Base_Connaissance& b) {
        return std::tuple(b.Nb_Esp, b.Nb_Etats_Desc, b.Nb_Cadre, b.Nb_Robot, b.Nb_But_Car, b.Nb_But_Deter,
                          b.Nb_But_Quest, b.Nb_Couleurs, b.Nb_Contraintes);
    };
    const auto tables = [](const Base_Connaissance& b) {
        return std::tie(b.Matrice, b.Couleur_Pixel, b.Couleur_Comp, b.Code_Couleur, b.Joker, b.Poids,
                        b.Nom_Esp, b.Flore, b.Objets, b.Caracteres, b.Descendance, b.Hierarchie, b.Clic_Zone,
                        b.But_Deter, b.But_Quest, b.Contradictions, b.Communs_Langues);
    };
    EXPECT_EQ(comptes(a), comptes(b));
    EXPECT_TRUE(tables(a) == tables(b));
    EXPECT_EQ(a.Textes.Langues(), b.Textes.Langues());
    EXPECT_EQ(a.Textes.Entrees(), b.Textes.Entrees());
    // The measured characters, a range absent as absent (NaN) on both sides.
    const auto mesures = [](const Base_Connaissance& b) {
        std::vector<std::tuple<std::string, std::string, std::vector<double>, std::vector<double>, std::vector<double>, int>> out;
        const auto sans_nan = [](std::vector<double> v) {
            for (double& x : v) x = x == x ? x : -1e300;
            return v;
        };
        for (const auto& m : b.Mesures)
            out.emplace_back(m.Objet, m.Unite, m.Limites, sans_nan(m.Bas), sans_nan(m.Haut), m.Position);
        return out;
    };
    EXPECT_EQ(mesures(a), mesures(b));
    for (const Etat_Caractere& e : a.Caracteres)  // the look-ups are rebuilt
        EXPECT_EQ(b.Etat_Par_Identifiant(e.ID_CARAC), e.NUM) << e.ID_CARAC;
}

std::vector<uint8_t> Encode(const Base_Connaissance& base, const Noms_Especes& noms) {
    auto octets = kb::Ecrit_Base_Compacte(base, noms);
    EXPECT_TRUE(octets.ok()) << octets.status().message();
    return octets.ok() ? *octets : std::vector<uint8_t>{};
}

void Restampe(std::vector<uint8_t>& octets) {
    const uint64_t e = Empreinte_Compacte(octets.data() + Entete_Compacte, octets.size() - Entete_Compacte);
    for (size_t i = 0; i < 8; ++i) octets[12 + i] = static_cast<uint8_t>(e >> (8 * i));
}

TEST(Base_Compacte, Le_Modele_Relu_Est_Celui_Du_Chargeur) {
    // The engine's key with a measured character: Ecorce, two classes, two species' ranges.
    Copie_Base mesuree("cle");
    mesuree.Execute_SQL(Schema_Mesures_SQL() +
                        "INSERT INTO Objets_Mesures VALUES ('Ecorce', 'mm', '3.5');"
                        "INSERT INTO Etendues_Especes (Espece, Objet, Bas, Haut) VALUES ('Acer', 'Ecorce', 1, 2.25),"
                        " ('Fraxinus', 'Ecorce', 4, 4);");
    for (const auto& [nom, avec_palette] : std::map<std::string, bool>{
             {"cle", false}, {"petite", true}, {"flora", false}, {"mesures", false}}) {
        SCOPED_TRACE(nom);
        const std::filesystem::path dossier = nom == "flora" ? std::filesystem::path(KB_FLORA_BUILT)
                                              : nom == "mesures"
                                                  ? mesuree.Dossier()
                                                  : std::filesystem::path(KESTRANE_BASES) / nom;
        Palette_Fixe palette({0x102030, 0x405060, 0x708090, 0xA0B0C0});
        Chargement c = Charge_Base(Lieux_Construits(dossier), avec_palette ? &palette : nullptr);
        EXPECT_EQ(c.Base ? c.Base->Mesures.size() : 0u, nom == "mesures" ? 1u : 0u);
        ASSERT_TRUE(c.Base) << nom;
        const Noms_Especes noms = Noms_Especes::Lit(*c.Base);
        const std::vector<uint8_t> octets = Encode(*c.Base, noms);
        auto lue = Lit_Base_Compacte(octets.data(), octets.size());
        ASSERT_TRUE(lue.ok()) << lue.status().message();
        Attend_Meme_Modele(*c.Base, *lue->Base);
        EXPECT_EQ(lue->Base->Base_Donnees, nullptr);
        ASSERT_EQ(lue->Noms.Nombre_Especes(), noms.Nombre_Especes());
        for (size_t s = 0; s < noms.Nombre_Especes(); ++s) {
            EXPECT_EQ(lue->Noms.Noms(s), noms.Noms(s));
            EXPECT_EQ(lue->Noms.Plies(s), noms.Plies(s));
        }
        // A name is found by the folded text alone, accents and case aside, as the desktop finds it.
        if (nom == "flora") {
            EXPECT_EQ(lue->Noms.Correspondances_Plie("erable"), noms.Correspondances("Érable"));
        }
        // The same base gives the same bytes, and so the same stamp.
        EXPECT_EQ(Encode(*c.Base, noms), octets);
        EXPECT_EQ(Texte_Empreinte(lue->Empreinte).size(), 16u);
    }
}

TEST(Base_Compacte, Les_Valeurs_Qu_Un_Octet_Porte_Passent_Les_Autres_Sont_Refusees) {
    struct Cas {
        int16_t valeur;
        const char* erreur;  // nullptr: written and read back
    };
    for (const Cas& cas : {Cas{2, nullptr}, Cas{-1, nullptr}, Cas{127, nullptr}, Cas{-128, nullptr},
                           Cas{128, "species 'S1', state 'C0_1': the matrix value 128 does not fit"},
                           Cas{-300, "the matrix value -300 does not fit"}}) {
        SCOPED_TRACE(cas.valeur);
        auto base = Construit({{2, 3}, {}, {{0, 1}, {1, -1}, {-1, 2}}, {}});
        base->Matrice(1, 1) = cas.valeur;
        auto octets = kb::Ecrit_Base_Compacte(*base, Noms_Especes{});
        if (cas.erreur != nullptr) {
            ASSERT_FALSE(octets.ok());
            EXPECT_NE(octets.status().message().find(cas.erreur), std::string::npos)
                << octets.status().message();
            continue;
        }
        ASSERT_TRUE(octets.ok()) << octets.status().message();
        auto lue = Lit_Base_Compacte(octets->data(), octets->size());
        ASSERT_TRUE(lue.ok()) << lue.status().message();
        EXPECT_TRUE(lue->Base->Matrice == base->Matrice);
    }
    // A matrix of 0 and 1 alone goes a bit per cell, which keeps a big key small on a phone.
    auto base = Construit({{2, 3}, {}, {{0, 1}, {1, -1}, {-1, 2}}, {}});
    std::vector<Cellule_Matrice>& cellules = base->Matrice.Data();
    for (Cellule_Matrice& v : cellules) v = v > 0 ? 1 : 0;
    const auto binaire = kb::Ecrit_Base_Compacte(*base, Noms_Especes{});
    cellules[0] = 2;
    const auto octets = kb::Ecrit_Base_Compacte(*base, Noms_Especes{});
    ASSERT_TRUE(binaire.ok() && octets.ok());
    EXPECT_EQ(octets->size() - binaire->size(), cellules.size() - (cellules.size() + 7) / 8);
}

// Writes `valeur` over the count at `decalage` bytes into the counts, the file stamped again.
std::function<void(std::vector<uint8_t>&)> Compte(size_t decalage, int32_t valeur) {
    return [=](std::vector<uint8_t>& o) {
        std::memcpy(o.data() + Entete_Compacte + decalage, &valeur, 4);
        Restampe(o);
    };
}

TEST(Base_Compacte, Un_Fichier_Abime_Est_Refuse_Avec_Sa_Raison) {
    auto base = Construit({{2, 3}, {1, 2}, {{0, 1}, {1, -1}, {-1, 2}}, {{1, 0, 1}}});
    const std::vector<uint8_t> bon = Encode(*base, Noms_Especes{});
    struct Cas {
        const char* nom;
        std::function<void(std::vector<uint8_t>&)> abime;
        const char* erreur;
    };
    const Cas cas[] = {
        {"empty", [](auto& o) { o.clear(); }, "not a Kestrane compact base"},
        {"another signature", [](auto& o) { o[0] = 'X'; }, "not a Kestrane compact base"},
        {"another format", [](auto& o) { o[8] = 9; }, "of format 9 where this program reads format 1"},
        {"a byte changed", [](auto& o) { o.back() ^= 1; }, "damaged"},
        {"cut short", [](auto& o) { o.resize(o.size() - 3), Restampe(o); }, "it ends early"},
        {"bytes after its end", [](auto& o) { o.push_back(0), Restampe(o); }, "1 bytes follow its end"},
        // Nom_Esp's count follows the nine counts.
        {"a huge count", Compte(36, -1), "exceeds what the file holds"},
        {"a negative count", Compte(0, -1), "a count is negative"},
        {"species without names", Compte(0, 4),
         "3 species names and 5 weights for 4 species"},  // Nom_Esp holds 3
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        std::vector<uint8_t> octets = bon;
        c.abime(octets);
        auto lue = Lit_Base_Compacte(octets.data(), octets.size());
        ASSERT_FALSE(lue.ok());
        EXPECT_NE(lue.status().message().find(c.erreur), std::string::npos) << lue.status().message();
    }
}

}  // namespace
}  // namespace kestrane::test
