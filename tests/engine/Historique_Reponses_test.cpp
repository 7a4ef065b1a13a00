#include "Historique_Reponses.h"

#include <gtest/gtest.h>

#include "Cle_Test.h"
#include "Echange_Identification.h"
#include "Reponses_Donnees.h"

namespace kestrane::test {
namespace {

// The key of Cle_Test: Feuille F_COMP opens Foliole, whose FOL_5 opens Marge.
class Historique : public Cle_Demarree {
  protected:
    void SetUp() override {
        Cle_Demarree::SetUp();
        h = std::make_unique<Historique_Reponses>(*id, *b.Base);
        h->Demarre();
    }
    void TearDown() override {
        std::filesystem::remove(Fichier("a.ido")), std::filesystem::remove(Fichier("b.ido"));
    }

    size_t Index(const char* objet) const {
        return static_cast<size_t>(b.Base->Trouve_Objet(objet) - b.Base->Objets.data());
    }
    // As the question bar confirms: validation, refresh, then the history.
    void Confirme(const char* objet, int choix) {
        h->Commence();
        Repond_Et_Actualise(objet, choix);
        h->Termine(Genre_Changement::Reponse, Index(objet), h->Fichier());
    }
    void Nouvelle() {
        h->Commence();
        ASSERT_TRUE(id->Nouvelle_Identification());
        h->Termine(Genre_Changement::Nouvelle, std::nullopt, "");
    }
    void Ouvre(const std::string& chemin) {
        h->Commence();
        ASSERT_TRUE(Ouvre_Identification(*id, *b.Base, chemin));
        h->Termine(Genre_Changement::Ouverture, std::nullopt, chemin);
    }
    void Enregistre(const std::string& chemin) {
        ASSERT_TRUE(Enregistre_Identification(*id, chemin));
        h->Enregistre(chemin);
    }
    std::string Fichier(const char* nom) const { return b.Dossier->Dossier() + nom; }
    std::vector<std::string> Ordre() const {
        std::vector<std::string> noms;
        for (const auto& r : Decrit_Reponses(*b.Base, id->Etats_Choisis(), h->Ordre(), "en"))
            noms.push_back(r.Nom);
        return noms;
    }
    // What a New or an Open changes, and what undoing it must give back.
    struct Vu {
        std::vector<int16_t> etats;
        std::vector<std::string> ordre;
        std::string fichier;
        bool passe, modifiee;
        bool operator==(const Vu&) const = default;
    };
    Vu Etat() const {
        return {id->Etats_Choisis(), Ordre(), h->Fichier(), id->Car_Passe(), id->Identification_Modifiee()};
    }

    std::unique_ptr<Historique_Reponses> h;
};

using Noms = std::vector<std::string>;

TEST_F(Historique, OrderIsTheOrderGivenAndDependantsLeaveIt) {
    const std::pair<std::pair<const char*, int>, Noms> pas[] = {
        {{"Ecorce", 1}, {"Ecorce"}},
        {{"Feuille", 1}, {"Ecorce", "Feuille"}},
        {{"Foliole", 1}, {"Ecorce", "Feuille", "Foliole"}},
        {{"Marge", 0}, {"Ecorce", "Feuille", "Foliole", "Marge"}},
        {{"Ecorce", 1}, {"Ecorce", "Feuille", "Foliole", "Marge"}},  // confirmed unchanged: keeps its place
        {{"Ecorce", 0}, {"Feuille", "Foliole", "Marge", "Ecorce"}},  // changed: to the end
        {{"Foliole", 0}, {"Feuille", "Ecorce", "Foliole"}},          // Marge cleared with FOL_5
        {{"Feuille", -1}, {"Ecorce"}},                               // taken back, Foliole with it
    };
    for (const auto& [reponse, ordre] : pas) {
        Confirme(reponse.first, reponse.second);
        EXPECT_EQ(Ordre(), ordre) << reponse.first << "=" << reponse.second;
    }
}

TEST_F(Historique, UndoAndRedoRestoreAnswersFramesAndResultsStepByStep) {
    struct Vu {
        std::vector<int16_t> etats, cadres;
        std::vector<std::string> lignes;
        Noms ordre;
        bool operator==(const Vu&) const = default;
    };
    auto vu = [&] {
        return Vu{id->Etats_Choisis(), id->Etat_Cadre(), fenetre.Derniere_Liste.Lignes, Ordre()};
    };
    std::vector<Vu> vus{vu()};
    for (const auto& [objet, choix] :
         {std::pair{"Feuille", 1}, {"Foliole", 1}, {"Marge", 1}, {"Ecorce", 0}, {"Feuille", 0}}) {
        Confirme(objet, choix);
        vus.push_back(vu());
    }
    for (size_t k = vus.size() - 1; k > 0; --k) {
        ASSERT_TRUE(h->Peut_Annuler());
        ASSERT_TRUE(h->Annule());
        EXPECT_EQ(vu(), vus[k - 1]) << "undo to step " << k - 1;
    }
    EXPECT_FALSE(h->Peut_Annuler());
    for (size_t k = 1; k < vus.size(); ++k) {
        ASSERT_TRUE(h->Retablit());
        EXPECT_EQ(vu(), vus[k]) << "redo to step " << k;
    }
    EXPECT_FALSE(h->Peut_Retablir());
    // A new change after an undo drops what could be redone.
    ASSERT_TRUE(h->Annule());
    Confirme("Ecorce", 1);
    EXPECT_FALSE(h->Peut_Retablir());
}

TEST_F(Historique, ModifiedFlagFollowsTheStateAndSavingKeepsTheHistory) {
    Confirme("Feuille", 0);
    Enregistre(Fichier("a.ido"));
    Confirme("Ecorce", 1);
    // Each undo or redo, and whether the identification is then modified.
    const std::pair<bool, bool> pas[] = {{true, false}, {true, true}, {false, false}, {false, true}};
    for (const auto& [annule, modifiee] : pas) {
        ASSERT_TRUE(annule ? h->Annule() : h->Retablit());
        EXPECT_EQ(id->Identification_Modifiee(), modifiee) << (annule ? "undo" : "redo");
        EXPECT_EQ(h->Fichier(), Fichier("a.ido"));
    }
    // The same answer confirmed again is no step, yet the refresh marks it modified as always.
    ASSERT_TRUE(h->Annule());
    EXPECT_FALSE(id->Identification_Modifiee());
    Confirme("Feuille", 0);
    EXPECT_TRUE(id->Identification_Modifiee());
    EXPECT_TRUE(h->Peut_Retablir());
}

TEST_F(Historique, NewAndOpenAreUndoneWithTheirFileNameSkipsAndFlag) {
    Confirme("Feuille", 1);
    Confirme("Ecorce", 0);
    Enregistre(Fichier("a.ido"));
    ASSERT_NE(b.Base->Trouve_Objet("Marge"), nullptr);
    id->Question = Question_Courante::De_Objet(*b.Base->Trouve_Objet("Marge"));
    fenetre.Reponse_Oui = false;  // no retry of the skipped characters
    id->Passe_Caractere();        // a skipped character: Joker and Car_Passe
    const auto joker = id->Joker();
    ASSERT_TRUE(id->Car_Passe());
    const auto etats = id->Etats_Choisis();

    const Vu vide{std::vector<int16_t>(9, 0), {}, "", false, false};
    Nouvelle();
    EXPECT_EQ(Etat(), vide);
    ASSERT_TRUE(h->Annule());
    EXPECT_EQ(Etat(), (Vu{etats, {"Feuille", "Ecorce"}, Fichier("a.ido"), true, false}));
    EXPECT_EQ(id->Joker(), joker);
    ASSERT_TRUE(h->Retablit());
    EXPECT_EQ(Etat(), vide);

    // The file keeps no order: after Open, state-number order.
    Confirme("Ecorce", 0);
    Confirme("Feuille", 0);
    Enregistre(Fichier("b.ido"));
    Nouvelle();
    Ouvre(Fichier("b.ido"));
    EXPECT_EQ(Etat(), (Vu{{1, 0, 0, 0, 0, 0, 0, 1, 0}, {"Feuille", "Ecorce"}, Fichier("b.ido"), false, false}));
    ASSERT_TRUE(h->Annule());
    EXPECT_EQ(Etat(), vide);
}

TEST_F(Historique, PanelDescribesEveryNonZeroStateItCanName) {
    // State 4 (FOL_7) has no Caracteres row.
    h.reset();  // it holds the identification Demarre replaces
    Demarre(Description_Cle("DELETE FROM Caracteres WHERE NUM = 4;"));
    const std::vector<int16_t> etats{0, 2, 1, 0, 1, 0, 0, 0, 0};
    ASSERT_TRUE(id->Remplace_Reponses(etats, {-1, -1, 0}));
    Noms lignes;  // character, question, then each state: identifier, text, value, cell
    for (const auto& r : Decrit_Reponses(*b.Base, etats, Caracteres_Repondus(*b.Base, etats), "en")) {
        lignes.push_back(r.Nom + "|" + r.Question);
        for (const auto& e : r.Etats)
            lignes.push_back(e.ID_CARAC + "|" + e.Texte + "|" + std::to_string(e.Valeur) + "|" +
                             std::to_string(e.Cellule));
    }
    // FOL_3 only: FOL_7 cannot be named.
    EXPECT_EQ(lignes, (Noms{"Feuille|Leaf type", "F_COMP|Compound leaf|2|1", "Foliole|Leaflets",
                            "FOL_3|Three leaflets|1|0"}));
}

}  // namespace
}  // namespace kestrane::test
