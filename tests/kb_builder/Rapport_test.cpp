#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "Base_Test.h"
#include "Construction_Base.h"
#include "Ecriture_Rapport.h"
#include "Outils_Test.h"
#include "Rapport_Cle.h"
#include "Textes_Rapport.h"

namespace fs = std::filesystem;

namespace kestrane::kb {
namespace {

// The engine's key, recoded so that each section of the report has something to show:
// Betula and Carpinus are coded alike (no answer separates them); Acer differs from them by its
// bark alone, Fraxinus from Juglans by its leaflets alone; nobody has five leaflets, the only
// state that opens the margin (a dependency that never opens); every taxon is a tree (the habit
// separates nothing); Fraxinus has no bark coded, Juglans every bark. French is declared with
// one question translated, and Acer's French page is removed after the build.
class Rapport : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dossier_ = std::make_unique<test::Dossier_Test>("rapport");
        const fs::path source = dossier_->Chemin() / "source";
        test::Copie_Source("cle", source);
        test::Ecrit_Texte(source / "langues.csv", "Suffixe,Langue\nen,English\nfr,Français\n");
        test::Ecrit_Texte(source / "especes.csv",
                          "Code,Espece,Famille,Legende,Nom_en,Nom_fr\n"
                          "ACECA,Acer,Aceraceae,,Maple,Erable\nBETPE,Betula,Betulaceae,,Birch,Bouleau\n"
                          "CARBE,Carpinus,Betulaceae,,Hornbeam,Charme\nFRAEX,Fraxinus,Oleaceae,,Ash,Frene\n"
                          "JUGRE,Juglans,Juglandaceae,,Walnut,Noyer\n");
        test::Remplace(source / "caracteres.csv", "Etat,Poids,Image\nFeuille,Leaf type,",
                       "Etat,Poids,Image,Question_fr\nFeuille,Leaf type,");
        test::Remplace(source / "caracteres.csv", "Simple leaf,2,vert", "Simple leaf,2,vert,Type de feuille");
        test::Ecrit_Texte(source / "caracteres.csv",
                          test::Lit_Texte(source / "caracteres.csv") +
                              "Port,Habit,tronc,1,P_ARBRE,Tree,1,vert\nPort,,,,P_ARBUSTE,Shrub,3,jaune\n");
        test::Ecrit_Texte(
            source / "matrice.csv",
            "Code,F_SIMPLE,F_COMP,FOL_3,FOL_5,FOL_7,M_ENTIERE,M_DENTEE,E_LISSE,E_RUGUEUSE,P_ARBRE,P_ARBUSTE\n"
            "ACECA,1,,,,,,,1,,1,\nBETPE,1,,,,,,,,1,1,\nCARBE,1,,,,,,,,1,1,\n"
            "FRAEX,,1,,,1,,,,,1,\nJUGRE,,1,1,,,,,1,1,1,\n");
        sortie_ = dossier_->Chemin() / "base";
        std::vector<std::string> avertissements;
        const Status s = Construit_Base(source.string(), sortie_.string(), &avertissements);
        ASSERT_TRUE(s.ok()) << s.message();
        fs::remove(sortie_ / "documents/a/aceca/aceca_fr.html");
        base_ = test::Charge(sortie_);
        ASSERT_TRUE(base_);
        Options_Rapport options;
        options.Dossier_Documents = (sortie_ / "documents").string();
        rapport_ = std::make_unique<Rapport_Cle>(Calcule_Rapport(*base_, options));
    }
    void SetUp() override { ASSERT_TRUE(rapport_) << "the report's base did not build"; }
    static void TearDownTestSuite() {
        rapport_.reset();
        base_.reset();
        dossier_.reset();
    }

    static const Figure_Caractere& Car(const std::string& objet) {
        const auto it = std::find_if(rapport_->Caracteres.begin(), rapport_->Caracteres.end(),
                                     [&](const Figure_Caractere& f) { return f.Objet == objet; });
        if (it == rapport_->Caracteres.end())
            throw std::runtime_error("no character " + objet);
        return *it;
    }
    static int Position(const std::string& objet) {
        return static_cast<int>(&Car(objet) - rapport_->Caracteres.data());
    }
    static std::string Nom(int s) { return rapport_->Noms[static_cast<size_t>(s)]; }

    static inline std::unique_ptr<test::Dossier_Test> dossier_;
    static inline fs::path sortie_;
    static inline std::unique_ptr<Base_Connaissance> base_;
    static inline std::unique_ptr<Rapport_Cle> rapport_;
};

TEST_F(Rapport, PairsNoAnswerSeparatesFormGroupsAndSingleCharacterPairsNameTheirCharacter) {
    const Rapport_Cle& r = *rapport_;
    ASSERT_EQ(r.Groupes.size(), 1u);
    EXPECT_EQ(std::tuple(Nom(r.Groupes[0].Especes.at(0)), Nom(r.Groupes[0].Especes.at(1)),
                         r.Groupes[0].Especes.size(), r.Groupes[0].Paires, r.Nb_Paires_Inseparables),
              std::tuple("Betula", "Carpinus", 2u, 1, 1));
    // A taxon without a state of a character conflicts with none on it: Acer and Fraxinus differ
    // by their leaf only, Fraxinus having no bark.
    std::vector<std::tuple<std::string, std::string, std::string>> paires;
    for (const Paire_Fragile& p : r.Paires_Fragiles)
        paires.emplace_back(Nom(p.A), Nom(p.B), r.Caracteres[static_cast<size_t>(p.Caractere)].Objet);
    EXPECT_EQ(r.Nb_Paires_Fragiles, 9);
    EXPECT_EQ(paires.size(), 9u);
    for (const auto& attendue :
         {std::tuple("Acer", "Betula", "Ecorce"), std::tuple("Acer", "Fraxinus", "Feuille"),
          std::tuple("Fraxinus", "Juglans", "Foliole")})
        EXPECT_NE(std::find(paires.begin(), paires.end(), attendue), paires.end())
            << std::get<0>(attendue) << " " << std::get<1>(attendue);
    EXPECT_EQ(std::tuple(Car("Feuille").Paires_Fragiles, Car("Ecorce").Paires_Fragiles,
                         Car("Foliole").Paires_Fragiles),
              std::tuple(6, 2, 1));
}

TEST_F(Rapport, CharactersThatSeparateNothingDeadDependenciesAndMissingCodings) {
    EXPECT_EQ((std::vector<bool>{Car("Feuille").Separe, Car("Foliole").Separe, Car("Marge").Separe,
                                 Car("Ecorce").Separe, Car("Port").Separe}),
              (std::vector<bool>{true, true, false, true, false}));
    EXPECT_EQ(Car("Marge").Commandes_Mortes, std::vector<std::string>{"Five leaflets (FOL_5)"});
    EXPECT_TRUE(Car("Marge").Jamais_Ouvert);
    EXPECT_FALSE(Car("Foliole").Jamais_Ouvert);
    // A character a dependency excludes is not missing: simple leaves have no leaflets, and no
    // taxon has the margin open.
    EXPECT_EQ((std::vector<int>{Car("Feuille").Sans_Codage, Car("Foliole").Sans_Codage,
                                Car("Marge").Sans_Codage, Car("Ecorce").Sans_Codage}),
              (std::vector<int>{0, 0, 0, 1}));
    EXPECT_EQ(Car("Port").Poids, (std::vector<int>{1, 3}));
    // Never asked in any walk: it tells nothing.
    EXPECT_EQ(Car("Port").Propositions, (std::array<int, 2>{0, 0}));
}

TEST_F(Rapport, TaxaWithMissingCodingsEveryStateOrMissingPagesAndTranslationsMissing) {
    const Rapport_Cle& r = *rapport_;
    ASSERT_TRUE(r.Documents_Verifies);
    ASSERT_EQ(r.Especes.size(), 3u);
    EXPECT_EQ(r.Nb_Especes_Signalees, 3u);
    EXPECT_EQ(std::tuple(Nom(r.Especes[0].Espece), r.Especes[0].Documents_Absents, r.Especes[0].Nb_Manquants),
              std::tuple("Acer", std::vector<std::string>{"aceca_fr.html"}, 0u));
    EXPECT_EQ(std::tuple(Nom(r.Especes[1].Espece), r.Especes[1].Manquants, r.Especes[1].Nb_Tous_Etats),
              std::tuple("Fraxinus", std::vector<int>{Position("Ecorce")}, 0u));
    EXPECT_EQ(std::tuple(Nom(r.Especes[2].Espece), r.Especes[2].Tous_Etats, r.Especes[2].Nb_Manquants),
              std::tuple("Juglans", std::vector<int>{Position("Ecorce")}, 0u));
    const auto questions = std::find_if(r.Traductions.begin(), r.Traductions.end(),
                                        [](const auto& t) { return t.Table == "Objets_Fic"; });
    ASSERT_NE(questions, r.Traductions.end());
    EXPECT_EQ(std::tuple(questions->Langue, questions->Manquantes, questions->Total),
              std::tuple("fr", 4u, 5u));
}

// Walks run together replay the searches of their shared first answers: they ask what walks run
// alone ask, skips and dependencies included (the demo flora has both).
TEST_F(Rapport, WalksRunTogetherAskWhatWalksRunAloneAsk) {
    const auto flore = test::Charge(KB_FLORA_BUILT);
    ASSERT_TRUE(flore);
    for (const Base_Connaissance* b : {base_.get(), flore.get()})
        for (const auto strategie : {Strategie_Recherche::Entropie, Strategie_Recherche::Applicable}) {
            std::vector<int> especes(static_cast<size_t>(b->Nb_Esp));
            for (int s = 0; s < b->Nb_Esp; ++s) especes[static_cast<size_t>(s)] = s;
            const auto ensemble = Parcourt_Liste(*b, strategie, especes);
            for (int s = 0; s < b->Nb_Esp; ++s) {
                const Parcours_Espece seul = Parcourt_Espece(*b, strategie, s),
                                      &p = ensemble[static_cast<size_t>(s)];
                EXPECT_EQ(std::tie(p.Questions, p.Non_Applicables, p.Groupe, p.Identifiee),
                          std::tie(seul.Questions, seul.Non_Applicables, seul.Groupe, seul.Identifiee))
                    << b->Nom_Esp[static_cast<size_t>(s)];
            }
        }
}

// The walks are the walker's, whatever the threads: the same figures as its own run.
TEST_F(Rapport, WalksGiveTheWalkersFiguresAndASeededSampleOnRequest) {
    const Rapport_Cle& r = *rapport_;
    ASSERT_EQ(r.Strategies.size(), 2u);
    for (const Bilan_Strategie& b : r.Strategies) {
        const Bilan_Parcours attendu = Parcourt_Especes(*base_, b.Strategie);
        EXPECT_EQ(std::tuple(b.Moyenne, b.Pire, b.Nb_Identifiees, b.Nb_Seules),
                  std::tuple(attendu.Moyenne_Questions, attendu.Pire_Questions, attendu.Nb_Identifiees,
                             attendu.Nb_Seules));
        int total = 0;
        for (int n : b.Histogramme) total += n;
        EXPECT_EQ(total, 5);
        ASSERT_EQ(b.Pires.size(), 5u);
        EXPECT_EQ(b.Pires[0].Questions.size(), static_cast<size_t>(b.Pire));
    }
    EXPECT_FALSE(r.Echantillon);
    Options_Rapport options;
    options.Echantillon_Max = 3;
    options.Graine = 7;
    options.Fils = 3;
    const Rapport_Cle a = Calcule_Rapport(*base_, options), b = Calcule_Rapport(*base_, options);
    EXPECT_TRUE(a.Echantillon);
    EXPECT_EQ(a.Nb_Parcourues, 3u);
    auto taxons = [](const Rapport_Cle& x) {
        std::vector<int> t;
        for (const auto& p : x.Strategies[0].Pires) t.push_back(p.Espece);
        std::sort(t.begin(), t.end());
        return t;
    };
    EXPECT_EQ(taxons(a), taxons(b));
    EXPECT_EQ(taxons(a).size(), 3u);
}

TEST(Rapport_Commande, WritesThePageAndFailsOnAFolderWithoutABase) {
    test::Dossier_Test d("rapport-cmd");
    const std::string outil = std::string(KB_OUTIL) + " report ";
    const auto [code, texte] = test::Execute(outil + KESTRANE_BASES "/cle " + (d / "r.html"));
    EXPECT_EQ(code, 0) << texte;
    EXPECT_NE(test::Lit_Texte(d / "r.html").find("Key report"), std::string::npos);
    // A species without its row of Flore has no pages to look for; the others are still checked.
    const kestrane::test::Copie_Base sans_ligne("cle");
    sans_ligne.Execute_SQL("DELETE FROM Flore WHERE Code = 'FRAEX';");
    const auto [abimee, dit] = test::Execute(outil + sans_ligne.Dossier().string() + " " + (d / "s.html"));
    EXPECT_EQ(abimee, 0) << dit;
    const auto [echec, message] = test::Execute(outil + d.path().toStdString() + " " + (d / "x.html"));
    EXPECT_EQ(echec, 1);
    EXPECT_NE(message.find("kestrane.ini"), std::string::npos) << message;
    EXPECT_FALSE(fs::exists(d / "x.html"));
}

}  // namespace
}  // namespace kestrane::kb
