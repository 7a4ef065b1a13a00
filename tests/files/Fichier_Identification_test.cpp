#include "Fichier_Identification.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

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
    auto lu = Decode_Identification(octets.data(), octets.size(), 3, 2);
    ASSERT_TRUE(lu);
    EXPECT_EQ(lu->Etats_Choisis, (Etats{1, 0, 258}));
    EXPECT_EQ(lu->Etat_Cadre, (Etats{-1, 0}));
}

TEST(Fichier_Identification, ShortDataIsRefusedAndLongerDataReadsItsLayoutOnly) {
    const Octets octets = Encode_Identification({1, 1, 0}, {-1});
    auto court = Decode_Identification(octets.data(), octets.size() - 1, 3, 1);
    ASSERT_FALSE(court);
    EXPECT_EQ(court.status().code(), static_cast<int>(Erreur_Identification::Trop_Court));
    EXPECT_NE(court.status().message().find("does not fit this knowledge base"), std::string::npos);
    // Read with a base of fewer states, the same bytes are longer than the layout: they load shifted.
    auto long_ = Decode_Identification(octets.data(), octets.size(), 2, 1);
    ASSERT_TRUE(long_);
    EXPECT_EQ(long_->Etats_Choisis, (Etats{1, 1}));
    EXPECT_EQ(long_->Etat_Cadre, (Etats{0}));
}

class Fichiers : public ::testing::Test {
  protected:
    void SetUp() override {
        b = Charge(Description_Cle());
        ASSERT_NE(b.Base, nullptr);
        id = std::make_unique<Identification_Courante>(*b.Base, Reglages_Moteur{"robot/", "data/", 0, {}},
                                                       fenetre, fenetre);
        ASSERT_TRUE(id->Demarre());
        dossier = Dossier_Temporaire("kestrane-ido");
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dossier, fs::perms::owner_all, ec);
        fs::remove_all(dossier, ec);
    }
    void Repond(const char* objet, int choix) {
        id->Question = Question_Courante::De_Objet(*b.Base->Trouve_Objet(objet));
        id->Question.Choix = choix;
        ASSERT_TRUE(id->Valid_Descripteur());
        ASSERT_TRUE(id->Actualise_Identification());
    }

    Base_Chargee b;
    Fenetre_Enregistreuse fenetre;
    std::unique_ptr<Identification_Courante> id;
    fs::path dossier;
};

TEST_F(Fichiers, SaveThenOpenGivesTheSameIdentificationAndRanking) {
    Repond("Feuille", 1);
    Repond("Ecorce", 0);
    const std::string chemin = (dossier / "Mon Arbre.IDO").string();  // used as given, case kept
    ASSERT_TRUE(Enregistre_Identification(*id, chemin));
    EXPECT_FALSE(id->Identification_Modifiee());
    EXPECT_EQ(Lit_Octets(chemin).size(), 2u * (9 + 3));

    const Etats etats = id->Etats_Choisis();
    const Etats cadres = id->Etat_Cadre();
    const auto lignes = fenetre.Derniere_Liste.Lignes;
    ASSERT_TRUE(id->Nouvelle_Identification());
    ASSERT_TRUE(Ouvre_Identification(*id, *b.Base, chemin));
    EXPECT_EQ(id->Etats_Choisis(), etats);
    EXPECT_EQ(id->Etat_Cadre(), cadres);
    EXPECT_EQ(fenetre.Derniere_Liste.Lignes, lignes);
    EXPECT_FALSE(id->Identification_Modifiee());
}

TEST_F(Fichiers, SavingOverALongerFileReplacesItWhole) {
    const fs::path chemin = dossier / "a.ido";
    Ecrit_Octets(chemin, Octets(100, 0x01));
    Repond("Feuille", 0);
    ASSERT_TRUE(Enregistre_Identification(*id, chemin.string()));
    EXPECT_EQ(Lit_Octets(chemin), Encode_Identification(id->Etats_Choisis(), id->Etat_Cadre()));
    EXPECT_FALSE(fs::exists(Chemin_Temporaire(chemin.string())));
}

TEST_F(Fichiers, AFileTooShortForTheBaseIsRefusedAndTheIdentificationKept) {
    Repond("Feuille", 1);
    const Etats avant = id->Etats_Choisis();
    const fs::path chemin = dossier / "court.ido";
    Octets octets = Encode_Identification(Etats(9, 1), Etats(3, -1));
    octets.pop_back();
    Ecrit_Octets(chemin, octets);
    const Status s = Ouvre_Identification(*id, *b.Base, chemin.string());
    ASSERT_FALSE(s);
    EXPECT_EQ(s.code(), static_cast<int>(Erreur_Identification::Trop_Court));
    EXPECT_NE(s.message().find("does not fit this knowledge base"), std::string::npos);
    EXPECT_EQ(id->Etats_Choisis(), avant);
    EXPECT_TRUE(id->Identification_Modifiee());
}

TEST_F(Fichiers, ALongerFileLoadsAndItsExtraBytesAreIgnored) {
    const fs::path chemin = dossier / "long.ido";
    Octets octets = Encode_Identification({0, 1, 0, 1, 0, 0, 0, 0, 0}, {-1, -1, 0});
    octets.insert(octets.end(), {0x55, 0x55, 0x55});
    Ecrit_Octets(chemin, octets);
    ASSERT_TRUE(Ouvre_Identification(*id, *b.Base, chemin.string()));
    EXPECT_EQ(id->Etats_Choisis(), (Etats{0, 1, 0, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(fenetre.Derniere_Liste.Lignes[0], " 100% - Fraxinus");
}

TEST_F(Fichiers, AMissingFileIsReportedAndTheIdentificationKept) {
    Repond("Feuille", 1);
    const Status s = Ouvre_Identification(*id, *b.Base, (dossier / "absent.ido").string());
    ASSERT_FALSE(s);
    EXPECT_EQ(s.code(), static_cast<int>(Erreur_Identification::Ouverture));
    EXPECT_EQ(id->Etats_Choisis(), (Etats{0, 1, 0, 0, 0, 0, 0, 0, 0}));
}

std::vector<std::string> Contenu(const fs::path& dossier) {
    std::vector<std::string> noms;
    for (const auto& e : fs::recursive_directory_iterator(dossier)) noms.push_back(e.path().string());
    std::sort(noms.begin(), noms.end());
    return noms;
}

// The first version wrote over the target in place and reported nothing: a failed write lost the
// old file and the identification was marked saved. A save that fails at any step leaves the
// folder as it was: the old file whole and nothing new beside it.
TEST_F(Fichiers, AFailedSaveLeavesTheFolderAsItWasAndTheIdentificationModified) {
    const fs::path chemin = dossier / "garde.ido";
    const Octets ancien = Encode_Identification(Etats(9, 0), Etats(3, 0));
    const std::function<void()> pannes[] = {
        [&] { fs::create_directory(Chemin_Temporaire(chemin.string())); },  // the new file cannot be created
        [&] {  // the new file is written but cannot replace the target, a folder
            fs::remove(chemin);
            fs::create_directories(chemin / "dedans");
        },
    };
    Repond("Feuille", 1);
    for (size_t k = 0; k < std::size(pannes); ++k) {
        fs::remove_all(dossier);
        fs::create_directory(dossier);
        Ecrit_Octets(chemin, ancien);
        pannes[k]();
        const auto avant = Contenu(dossier);
        const Status s = Enregistre_Identification(*id, chemin.string());
        ASSERT_FALSE(s) << "case " << k;
        EXPECT_EQ(s.code(), static_cast<int>(Erreur_Identification::Ecriture)) << "case " << k;
        EXPECT_EQ(Contenu(dossier), avant) << "case " << k;
        if (fs::is_regular_file(chemin)) {
            EXPECT_EQ(Lit_Octets(chemin), ancien);
        }
        EXPECT_TRUE(id->Identification_Modifiee());
    }
}

TEST_F(Fichiers, SavingIntoAFolderThatIsAFileFails) {
    const fs::path fichier = dossier / "pas_un_dossier";
    Ecrit_Octets(fichier, {0});
    Repond("Feuille", 1);
    const Status s = Enregistre_Identification(*id, (fichier / "x.ido").string());
    ASSERT_FALSE(s);
    EXPECT_NE(s.message().find("x.ido"), std::string::npos);
    EXPECT_TRUE(id->Identification_Modifiee());
}

TEST_F(Fichiers, AFileOfAnotherBaseWithMoreStatesLoadsShifted) {
    const fs::path chemin = dossier / "autre.ido";
    // Written by a base of 10 states and 3 frames: state 1 set, then the frames.
    Ecrit_Octets(chemin, Encode_Identification({0, 1, 0, 0, 0, 0, 0, 0, 0, 0}, {-1, 0, 0}));
    ASSERT_TRUE(Ouvre_Identification(*id, *b.Base, chemin.string()));
    EXPECT_EQ(id->Etats_Choisis(), (Etats{0, 1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(id->Etat_Cadre(), (Etats{0, -1, 0}));  // the tenth state's 0, then the frames shifted
}

}  // namespace
}  // namespace kestrane::test
