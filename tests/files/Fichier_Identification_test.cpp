#include "Fichier_Identification.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <random>

#include "Cle_Test.h"
#include "Echange_Identification.h"

namespace kestrane::test {
namespace {

namespace fs = std::filesystem;
using Etats = std::vector<int16_t>;
using Octets = std::vector<uint8_t>;

Octets Lit_Octets(const fs::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return Octets(std::istreambuf_iterator<char>(f), {});
}

void Ecrit_Octets(const fs::path& chemin, const Octets& octets) {
    std::ofstream f(chemin, std::ios::binary);
    f.write(reinterpret_cast<const char*>(octets.data()), static_cast<std::streamsize>(octets.size()));
}

TEST(Fichier_Identification, LayoutIsStatesThenFramesIn16BitLittleEndian) {
    const Octets octets = Encode_Identification({1, 0, 258}, {-1, 0});
    EXPECT_EQ(octets, (Octets{0x01, 0x00, 0x00, 0x00, 0x02, 0x01, 0xFF, 0xFF, 0x00, 0x00}));
    // Any answers come back as written, whatever follows them; one byte short is refused.
    std::mt19937 alea(11);
    for (int essai = 0; essai < 50; ++essai) {
        Etats etats(alea() % 40), cadres(alea() % 8);
        for (auto* v : {&etats, &cadres})
            for (auto& x : *v) x = static_cast<int16_t>(alea() % 3 == 0 ? alea() : alea() % 2);  // 1, 0, -1, 258...
        const auto nb_e = static_cast<int>(etats.size()), nb_c = static_cast<int>(cadres.size());
        Octets o = Encode_Identification(etats, cadres);
        ASSERT_EQ(o.size(), Taille_Identification(nb_e, nb_c));
        EXPECT_EQ(o.empty(), Decode_Identification(o.data(), o.size() - (o.empty() ? 0 : 1), nb_e, nb_c).ok());
        o.insert(o.end(), alea() % 5, 0x7F);
        const auto lu = Decode_Identification(o.data(), o.size(), nb_e, nb_c);
        ASSERT_TRUE(lu);
        EXPECT_EQ(std::tie(lu->Etats_Choisis, lu->Etat_Cadre), std::tie(etats, cadres));
    }
}

std::vector<std::string> Contenu(const fs::path& dossier) {
    std::vector<std::string> noms;
    for (const auto& e : fs::recursive_directory_iterator(dossier)) noms.push_back(e.path().string());
    std::sort(noms.begin(), noms.end());
    return noms;
}

// The key started, and a folder for files inside its copy.
class Fichiers : public Cle_Demarree {
  protected:
    void SetUp() override {
        Cle_Demarree::SetUp();
        fs::create_directory(dossier = b.Copie->Dossier() / "ido");
    }

    fs::path dossier;
};

// What Open makes of a file: {bytes, or none for no file} -> the error, or the answers and frames
// loaded. A refused file keeps the identification as it was.
TEST_F(Fichiers, OpenLoadsTheLayoutOfTheBaseOrRefusesAndKeepsTheIdentification) {
    Octets court = Encode_Identification(Etats(9, 1), Etats(3, -1));
    court.pop_back();
    Octets long_ = Encode_Identification({0, 1, 0, 1, 0, 0, 0, 0, 0}, {-1, -1, 0});
    long_.insert(long_.end(), {0x55, 0x55, 0x55});
    const struct {
        const char* quoi;
        std::optional<Octets> octets;
        int erreur;  // 0: loaded
        Etats etats = {}, cadres = {};
    } cas[] = {
        {"too short for the base", court, static_cast<int>(Erreur_Identification::Trop_Court)},
        {"missing", std::nullopt, static_cast<int>(Erreur_Identification::Ouverture)},
        {"longer: the extra bytes ignored", long_, 0, {0, 1, 0, 1, 0, 0, 0, 0, 0}, {-1, -1, 0}},
        // Written by a base of 10 states: the tenth state's 0, then the frames, shifted.
        // clang-format off
        {"from a base of more states", Encode_Identification({0, 1, 0, 0, 0, 0, 0, 0, 0, 0}, {-1, 0, 0}), 0,
         {0, 1, 0, 0, 0, 0, 0, 0, 0}, {0, -1, 0}},
        // clang-format on
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quoi);
        ASSERT_TRUE(id->Nouvelle_Identification());
        Repond_Et_Actualise("Ecorce", 1);
        const Etats etats = id->Etats_Choisis(), cadres = id->Etat_Cadre();
        const fs::path chemin = dossier / "f.ido";
        fs::remove(chemin);
        if (c.octets)
            Ecrit_Octets(chemin, *c.octets);
        const Status s = Ouvre_Identification(*id, *b.Base, chemin.string());
        EXPECT_EQ(std::tuple(s.code(), id->Etats_Choisis(), id->Etat_Cadre(), id->Identification_Modifiee()),
                  std::tuple(c.erreur, s ? c.etats : etats, s ? c.cadres : cadres, !s));
        if (c.erreur == static_cast<int>(Erreur_Identification::Trop_Court)) {
            EXPECT_NE(s.message().find("does not fit this knowledge base"), std::string::npos);
        }
    }
    ASSERT_FALSE(fenetre.Derniere_Liste.Lignes.empty());
    EXPECT_EQ(fenetre.Derniere_Liste.Lignes[0], " 100% - Fraxinus");  // the last file loaded is ranked
}

// Save replaces the file whole (a longer one too) under the name as given, case kept, with nothing
// left beside it. The first version wrote over the target in place and reported nothing: a failed
// write lost the old file and the identification was marked saved. A save that fails at any step
// leaves the folder as it was (the old file whole, nothing new) and the identification modified.
TEST_F(Fichiers, SaveReplacesTheFileWholeOrLeavesTheFolderAsItWas) {
    const fs::path chemin = dossier / "Garde.IDO";
    const Octets ancien(100, 0x01);
    // Each case sets the folder up, the old file in it, and gives the path saved to.
    const struct {
        const char* quoi;
        bool reussit;
        std::function<fs::path()> prepare;
    } cas[] = {
        {"saved over the old file", true, [&] { return chemin; }},
        {"the new file cannot be created", false,
         [&] { return fs::create_directory(Chemin_Temporaire(chemin.string())), chemin; }},
        {"the new file cannot replace the target, a folder", false,
         [&] { return fs::remove(chemin), fs::create_directories(chemin / "dedans"), chemin; }},
        {"the folder is a file", false, [&] { return chemin / "x.ido"; }},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quoi);
        Repond_Et_Actualise("Feuille", 1);
        fs::remove_all(dossier);
        fs::create_directory(dossier);
        Ecrit_Octets(chemin, ancien);
        const fs::path cible = c.prepare();
        const auto avant = Contenu(dossier);
        const Status s = Enregistre_Identification(*id, cible.string());
        EXPECT_EQ(std::tuple(bool(s), Contenu(dossier), id->Identification_Modifiee()),
                  std::tuple(c.reussit, avant, !c.reussit));
        if (fs::is_regular_file(chemin)) {
            EXPECT_EQ(Lit_Octets(chemin), s ? Encode_Identification(id->Etats_Choisis(), id->Etat_Cadre()) : ancien);
        }
        if (!s) {
            EXPECT_EQ(s.code(), static_cast<int>(Erreur_Identification::Ecriture));
            EXPECT_NE(s.message().find(cible.string()), std::string::npos) << s.message();
        }
    }
}

}  // namespace
}  // namespace kestrane::test
