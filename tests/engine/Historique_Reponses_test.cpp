#include "Historique_Reponses.h"

#include <gtest/gtest.h>

#include "Cle_Test.h"
#include "Echange_Identification.h"
#include "Reponses_Donnees.h"
#include "Schema_Base.h"

namespace kestrane::test {
namespace {

using Etats = std::vector<int16_t>;

// States written as digits, one a state: "010000000".
Etats Chiffres(std::string_view chiffres) {
    Etats etats;
    for (const char c : chiffres) etats.push_back(static_cast<int16_t>(c - '0'));
    return etats;
}

// The key and its answers' history, changed as the window changes them.
class Reponses : public Cle_Demarree {
  protected:
    void SetUp() override {
        Cle_Demarree::SetUp();
        h = std::make_unique<Historique_Reponses>(*id, *b.Base);
        h->Demarre();
    }

    // As the question bar confirms: validation, refresh, then the history.
    void Confirme(const char* objet, int choix) {
        h->Commence();
        Repond_Et_Actualise(objet, choix);
        const Objet_Fic* o = b.Base->Trouve_Objet(objet);
        h->Termine(Genre_Changement::Reponse, static_cast<size_t>(o - b.Base->Objets.data()), h->Fichier());
    }
    // New or Open, as the window does them.
    void Remplace(Genre_Changement genre, const std::string& chemin = "") {
        h->Commence();
        ASSERT_TRUE(chemin.empty() ? id->Nouvelle_Identification() : Ouvre_Identification(*id, *b.Base, chemin));
        h->Termine(genre, std::nullopt, chemin);
    }
    void Enregistre(const std::string& chemin) {
        ASSERT_TRUE(Enregistre_Identification(*id, chemin));
        h->Enregistre(chemin);
    }
    std::string Fichier(const char* nom) const { return (b.Copie->Dossier() / nom).string(); }
    // The answers panel's characters, in its order, separated by blanks.
    std::string Ordre() const {
        std::string noms;
        for (const auto& r : Decrit_Reponses(*b.Base, id->Etats_Choisis(), h->Ordre(), "en"))
            noms += (noms.empty() ? "" : " ") + r.Nom;
        return noms;
    }
    // What a change may change, and what undoing it must give back.
    struct Vu {
        Etats etats, cadres;
        std::vector<bool> joker;
        std::vector<std::string> lignes;
        std::string ordre, fichier;
        bool passe, modifiee;
        bool operator==(const Vu&) const = default;
    };
    Vu Etat() const {
        return {id->Etats_Choisis(), id->Etat_Cadre(),    id->Joker(),      fenetre.Derniere_Liste.Lignes,
                Ordre(),             h->Fichier(),        id->Car_Passe(),  id->Identification_Modifiee()};
    }

    std::unique_ptr<Historique_Reponses> h;
};

// The answer rules: the answers confirmed in turn, from a new identification or from the states a
// file left (`depart`, frames 0) -> the chosen states, the frames and the panel's order. A changed
// answer clears what depended on the old state; picking among several states of a file clears
// those before the pick; a confirmed answer keeps its place when unchanged, else goes to the end.
TEST_F(Reponses, AnswersGiveTheStatesFramesAndOrderAndClearWhatDependsOnWhatTheyReplace) {
    const struct {
        const char* quoi;
        const char* depart;  // "": a new identification
        std::vector<std::pair<const char*, int>> reponses;
        const char* etats;
        Etats cadres;
        const char* ordre;
    } cas[] = {
        // clang-format off
        {"nothing validated on an unanswered character", "", {{"Feuille", -1}}, "000000000", {0, 0, 0}, ""},
        {"a state sets itself and its frame", "", {{"Feuille", 1}}, "010000000", {-1, 0, 0}, "Feuille"},
        {"the same state again keeps its place and its dependants", "", {{"Feuille", 1}, {"Foliole", 0}, {"Feuille", 1}},
         "011000000", {-1, -1, 0}, "Feuille Foliole"},
        // F_SIMPLE clears Foliole and, through FOL_5, Marge, but not their frames.
        {"a changed answer clears the old state's dependants on two levels", "",
         {{"Feuille", 1}, {"Foliole", 1}, {"Marge", 0}, {"Ecorce", 1}, {"Feuille", 0}}, "100000001", {-1, -1, -1}, "Ecorce Feuille"},
        // FOL_3 has no dependants: Marge stays.
        {"a changed answer goes to the end and leaves the new state's dependants alone", "",
         {{"Feuille", 1}, {"Foliole", 0}, {"Marge", 1}, {"Foliole", 1}}, "010100100", {-1, -1, 0}, "Feuille Marge Foliole"},
        {"a removed answer clears its dependants and its frame", "",
         {{"Ecorce", 0}, {"Feuille", 1}, {"Foliole", 2}, {"Feuille", -1}}, "000000010", {0, -1, -1}, "Ecorce"},
        {"a file's states, the first picked", "011110000", {{"Foliole", 0}}, "011110000", {0, -1, 0}, "Feuille Foliole"},
        {"a file's states, the second picked", "011110000", {{"Foliole", 1}}, "010110000", {0, -1, 0}, "Feuille Foliole"},
        {"a file's states, the last picked", "011110000", {{"Foliole", 2}}, "010010000", {0, -1, 0}, "Feuille Foliole"},
        {"a file's states, none picked", "011110000", {{"Foliole", -1}}, "010000000", {0, 0, 0}, "Feuille"},
        {"a file's states, the pick the last given", "011010000", {{"Foliole", 1}}, "010100000", {0, -1, 0}, "Feuille Foliole"},
        {"a file's single state picked again", "010010000", {{"Foliole", 2}}, "010010000", {0, 0, 0}, "Feuille Foliole"},
        {"a file's value 2 picked", "012000000", {{"Foliole", 0}}, "011000000", {0, -1, 0}, "Feuille Foliole"},
        {"a file's value 2 beside a 1", "010210000", {{"Foliole", 1}}, "010100000", {0, -1, 0}, "Feuille Foliole"},
        // clang-format on
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quoi);
        Remplace(Genre_Changement::Nouvelle);
        if (*c.depart)
            ASSERT_TRUE(id->Remplace_Reponses(Chiffres(c.depart), {0, 0, 0}));
        for (const auto& [objet, choix] : c.reponses) Confirme(objet, choix);
        EXPECT_EQ(std::tuple(id->Etats_Choisis(), id->Etat_Cadre(), Ordre()),
                  std::tuple(Chiffres(c.etats), c.cadres, std::string(c.ordre)));
    }
}

// Each step undone and redone gives back the answers, frames, list and order, and the modified
// flag of that step: only the state saved to the current file is unmodified. Saving keeps the
// history.
TEST_F(Reponses, UndoAndRedoRestoreAnswersFramesResultsAndTheModifiedFlagStepByStep) {
    std::vector<Vu> vus{Etat()};
    for (const auto& [objet, choix] :
         {std::pair{"Feuille", 1}, {"Foliole", 1}, {"Marge", 1}, {"Ecorce", 0}, {"Feuille", 0}}) {
        Confirme(objet, choix);
        if (vus.size() == 2)
            Enregistre(Fichier("a.ido"));
        vus.push_back(Etat());
    }
    // Saved at step 2: every step is then under that file's name, and only step 2 unmodified.
    for (size_t k = 0; k < vus.size(); ++k) vus[k].fichier = Fichier("a.ido"), vus[k].modifiee = k != 2;
    for (size_t k = vus.size() - 1; k > 0; --k) {
        ASSERT_TRUE(h->Peut_Annuler());
        ASSERT_TRUE(h->Annule());
        EXPECT_EQ(Etat(), vus[k - 1]) << "undo to step " << k - 1;
    }
    EXPECT_FALSE(h->Peut_Annuler());
    for (size_t k = 1; k < vus.size(); ++k) {
        ASSERT_TRUE(h->Retablit());
        EXPECT_EQ(Etat(), vus[k]) << "redo to step " << k;
    }
    EXPECT_FALSE(h->Peut_Retablir());
    // The saved step's answer confirmed again is no step, yet the refresh marks it modified as always.
    ASSERT_TRUE(h->Annule() && h->Annule() && h->Annule());
    Confirme("Foliole", 1);
    EXPECT_TRUE(id->Identification_Modifiee() && h->Peut_Retablir());
    // A new change after an undo drops what could be redone.
    Confirme("Ecorce", 1);
    EXPECT_FALSE(h->Peut_Retablir());
}

// New clears the answers, frames and skips and gives every character back to the search; undoing
// it gives all of that back with the file name, unmodified.
TEST_F(Reponses, NewAndOpenAreUndoneWithTheirFileNameSkipsAndFlag) {
    const Vu vide = Etat();
    Confirme("Feuille", 1);
    Confirme("Ecorce", 0);
    Enregistre(Fichier("a.ido"));
    Pose("Marge", -1);
    fenetre.Reponse_Oui = false;  // no retry of the skipped characters
    id->Passe_Caractere();        // a skipped character: Joker and Car_Passe
    const Vu avant = Etat();
    ASSERT_EQ(std::tuple(avant.ordre, avant.joker, avant.passe, avant.modifiee),
              std::tuple("Feuille Ecorce", std::vector<bool>{true, true, false, true}, true, false));
    Remplace(Genre_Changement::Nouvelle);
    EXPECT_EQ(Etat(), vide);
    ASSERT_TRUE(h->Annule());
    EXPECT_EQ(Etat(), avant);
    ASSERT_TRUE(h->Retablit());
    EXPECT_EQ(Etat(), vide);

    // The file keeps no order: after Open, state-number order.
    Confirme("Ecorce", 0);
    Confirme("Feuille", 0);
    Enregistre(Fichier("b.ido"));
    Remplace(Genre_Changement::Nouvelle);
    Remplace(Genre_Changement::Ouverture, Fichier("b.ido"));
    const Vu ouvert = Etat();
    EXPECT_EQ(std::tie(ouvert.etats, ouvert.cadres, ouvert.ordre, ouvert.fichier, ouvert.modifiee),
              std::tuple(Chiffres("100000010"), Etats{-1, 0, -1}, "Feuille Ecorce", Fichier("b.ido"), false));
    ASSERT_TRUE(h->Annule());
    EXPECT_EQ(Etat(), vide);

    // Started again, as for another base: no file, nothing to undo.
    Remplace(Genre_Changement::Ouverture, Fichier("b.ido"));
    h->Demarre();
    EXPECT_EQ(std::pair(h->Fichier(), h->Peut_Annuler()), std::pair(std::string(), false));
}

// A measured value belongs to the answer: undo and redo put it back with its classes; an answer by
// class replaces it, and undoing that brings it back. Opening a file gives the classes alone.
TEST_F(Reponses, UndoAndRedoKeepTheMeasuredValue) {
    Demarre(Schema_Mesures_SQL() +
            "INSERT INTO Objets_Mesures VALUES ('Ecorce', 'mm', '3');"
            "INSERT INTO Etendues_Especes (Espece, Objet, Bas, Haut) VALUES ('Acer', 'Ecorce', 1, 2), ('Betula', 'Ecorce', 5, 9);");
    h = std::make_unique<Historique_Reponses>(*id, *b.Base);
    h->Demarre();
    const Objet_Fic* ecorce = b.Base->Trouve_Objet("Ecorce");
    const auto position = static_cast<size_t>(ecorce - b.Base->Objets.data());
    auto mesure = [&](double valeur, double tolerance) {
        h->Commence();
        id->Question = Question_Courante::De_Objet(*ecorce);
        ASSERT_TRUE(id->Valid_Mesure(valeur, tolerance));
        ASSERT_TRUE(id->Actualise_Identification());
        h->Termine(Genre_Changement::Reponse, position, h->Fichier());
    };
    using V = std::optional<Valeur_Mesuree>;
    auto vu = [&] { return std::pair(id->Valeur_De(position), fenetre.Derniere_Liste.Lignes.front()); };
    mesure(1.5, 10);
    const auto premiere = vu();
    EXPECT_EQ(premiere, std::pair(V(Valeur_Mesuree{1.5, 10}), Ligne_Espece(100, "Acer")));
    mesure(2.8, 0);  // the same class, another value: a step of its own
    EXPECT_EQ(vu(), std::pair(V(Valeur_Mesuree{2.8, 0}), Ligne_Espece(0, "Acer")));
    ASSERT_TRUE(h->Annule());
    EXPECT_EQ(vu(), premiere);
    ASSERT_TRUE(h->Retablit());
    EXPECT_EQ(vu().first, V(Valeur_Mesuree{2.8, 0}));
    Confirme("Ecorce", 1);
    EXPECT_EQ(vu(), std::pair(V(), Ligne_Espece(100, "Betula")));
    ASSERT_TRUE(h->Annule());
    EXPECT_EQ(vu().first, V(Valeur_Mesuree{2.8, 0}));
    Enregistre(Fichier("m.ido"));
    Remplace(Genre_Changement::Ouverture, Fichier("m.ido"));
    EXPECT_EQ(std::pair(id->Valeur_De(position), id->Etats_Choisis()), std::pair(V(), Chiffres("000000010")));
}

}  // namespace
}  // namespace kestrane::test
