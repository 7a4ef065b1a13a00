#include "Identification_Courante.h"

#include <gtest/gtest.h>

#include "Cle_Test.h"

namespace kestrane::test {
namespace {

using Etats = std::vector<int16_t>;
using Chargements = std::vector<std::pair<int, std::string>>;

using Cle = Cle_Demarree;

// The list follows the answers and the threshold; its label only each refresh, in the current
// language.
TEST_F(Cle, RefreshRanksAndLabelsTheSpeciesAndTheThresholdHidesThoseBelowIt) {
    using Lignes = std::vector<std::string>;
    EXPECT_EQ(fenetre.Derniere_Liste.Lignes,
              (Lignes{" 0% - Acer", " 0% - Betula", " 0% - Carpinus", " 0% - Fraxinus"}));
    EXPECT_EQ(fenetre.Derniere_Liste.Legende, " 4 species at 0 %");
    EXPECT_FALSE(id->Identification_Modifiee());
    Repond("Feuille", 0);              // weight 2: Acer, Betula, Carpinus
    Repond_Et_Actualise("Ecorce", 0);  // weight 1: Acer, Betula
    EXPECT_TRUE(id->Identification_Modifiee());
    EXPECT_EQ(fenetre.Devenue_Modifiee, 2);  // once at start, once now
    EXPECT_EQ(fenetre.Derniere_Liste.Lignes,
              (Lignes{" 100% - Acer", " 100% - Betula", " 67% - Carpinus", " 0% - Fraxinus"}));
    EXPECT_EQ(fenetre.Derniere_Liste.Legende, " 2 species at 100 %");
    id->Change_Seuil(67);
    EXPECT_EQ(fenetre.Derniere_Liste.Lignes, (Lignes{" 100% - Acer", " 100% - Betula", " 67% - Carpinus"}));
    id->Change_Seuil(101);
    EXPECT_TRUE(fenetre.Derniere_Liste.Lignes.empty());
    EXPECT_EQ(fenetre.Derniere_Liste.Legende, " 2 species at 100 %");
    id->Change_Textes(Textes_Moteur{"espèces à", "", "", ""});
    EXPECT_EQ(id->Liste().Legende, " 2 espèces à 100 %");  // at once, the count kept
    ASSERT_TRUE(id->Actualise_Identification());
    EXPECT_EQ(id->Nb_Esp_Max(), 0);
    EXPECT_EQ(fenetre.Derniere_Liste.Legende, " 0 espèces à 100 %");
}

TEST_F(Cle, TheChooserPreselectsTheLastStateGiven) {
    ASSERT_TRUE(id->Remplace_Reponses({0, 0, 1, 0, 2, 0, 0, 0, 0}, {0, 0, 0}));
    EXPECT_EQ(id->Choix_Donne(2, 3), 2);
    EXPECT_EQ(id->Choix_Donne(0, 2), -1);
    EXPECT_EQ(id->Choix_Donne(8, 2), -1);  // outside the base
}

TEST_F(Cle, AQuestionOutsideTheBaseIsRefusedAndChangesNothing) {
    Repond("Feuille", 1);
    const struct {
        void (*abime)(Question_Courante&);
        const char* message;  // names what is outside, and the bounds
    } cas[] = {{[](Question_Courante& q) { q.Index_Car = 8; },
                "character \"Feuille\": states 8 .. 9 outside 0 .. 8"},
               {[](Question_Courante& q) { q.Index_Car = -1; },
                "character \"Feuille\": states -1 .. 0 outside 0 .. 8"},
               {[](Question_Courante& q) { q.Choix = 2; }, "character \"Feuille\": state 2 outside 0 .. 1"},
               {[](Question_Courante& q) { q.Choix = -2; }, "character \"Feuille\": state -2 outside 0 .. 1"},
               {[](Question_Courante& q) { q.Cadre = 3; }, "character \"Feuille\": frame 3 outside 0 .. 2"}};
    for (const auto& c : cas) {
        Pose("Feuille", 0);
        c.abime(id->Question);
        EXPECT_EQ(id->Valid_Descripteur().message(), c.message);
        EXPECT_EQ(id->Etats_Choisis(), (Etats{0, 1, 0, 0, 0, 0, 0, 0, 0}));
        EXPECT_EQ(id->Etat_Cadre(), (Etats{-1, 0, 0}));
    }
}

// The search: from the answers (each refreshed) and the threshold, what it does, the question it
// leaves and the message it shows.
TEST_F(Cle, SearchProposesOrSaysWhyNot) {
    const struct {
        const char* quoi;
        std::vector<std::pair<const char*, int>> reponses;
        int seuil;
        bool maitre;  // the search as the bar starts it, else as the user asks for it
        Issue_Recherche issue;
        const char* objet;  // the question left on the bar, and its choice
        int choix;
        const char* message;
    } cas[] = {
        // The proposals with candidates tied at the top: the command-line key's `best` cases.
        // Nobody reaches the threshold: all four are candidates, Marge 2/2, Feuille 3/1.
        // clang-format off
        {"threshold above the best", {{"Ecorce", 1}}, 101, false, Issue_Recherche::Proposee, "Marge", -1, nullptr},
        {"nothing left to ask", {{"Ecorce", 0}, {"Feuille", 0}, {"Foliole", 0}, {"Marge", 0}, {"Marge", 1}}, 0, false,
         Issue_Recherche::Aucune, "Marge", 1, "No more discriminant characteristic !!!"},
        {"one species alone", {{"Feuille", 1}, {"Foliole", 1}, {"Marge", 0}}, 0, true,
         Issue_Recherche::Une_Seule_Espece, "Marge", 0, "There is only one species"},
        // clang-format on
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quoi);
        Demarre({}, c.seuil);
        // Every answer but the last is refreshed; the last stays the question on the bar.
        for (size_t k = 0; k < c.reponses.size(); ++k) {
            if (k + 1 < c.reponses.size() || c.issue == Issue_Recherche::Proposee)
                Repond_Et_Actualise(c.reponses[k].first, c.reponses[k].second);
            else
                Pose(c.reponses[k].first, c.reponses[k].second);
        }
        EXPECT_EQ(c.maitre ? id->Maitre_Discriminant() : id->Cherche_Discriminant(), c.issue);
        EXPECT_EQ(std::tuple(id->Question.Objet, id->Question.Choix), std::tuple(c.objet, c.choix));
        EXPECT_EQ(fenetre.Messages, c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        EXPECT_TRUE(fenetre.Questions.empty());
    }
}

TEST_F(Cle, ASkippedCharacterIsLeftOutUntilTheUserAgreesToRetryIt) {
    ASSERT_EQ(id->Maitre_Discriminant(), Issue_Recherche::Proposee);  // Ecorce
    EXPECT_EQ(id->Passe_Caractere(), Issue_Recherche::Proposee);
    EXPECT_EQ(std::tuple(id->Question.Objet, id->Car_Passe()), std::tuple("Marge", true));
    Repond("Feuille", 0);
    Repond("Foliole", 0);
    Repond_Et_Actualise("Marge", 1);  // Acer and Carpinus tied at the top, split only by Ecorce
    fenetre.Reponse_Oui = false;
    EXPECT_EQ(id->Maitre_Discriminant(), Issue_Recherche::Refusee);
    EXPECT_EQ(fenetre.Questions, std::vector<std::string>{"No more discriminant characteristic !!!\n"
                                                          "Do you want to try chararacteristics you didn't use ?"});
    EXPECT_TRUE(id->Car_Passe());
    fenetre.Reponse_Oui = true;
    EXPECT_EQ(id->Maitre_Discriminant(), Issue_Recherche::Proposee);
    ASSERT_GE(id->Joker().size(), 4u);
    EXPECT_EQ(std::tuple(id->Question.Objet, id->Car_Passe(), bool(id->Joker()[3])),
              std::tuple("Ecorce", false, true));
}

// The selected line's contradictions: every contradicted answer is counted, in Objets_Fic order
// then state order; a drawn one takes the layer Nb_Robot + the count so far, a button one marks
// its button on the bar (the picture becomes the contradiction's icon), one without a row shows
// nothing. Only a matrix value of exactly 1 agrees. A line outside the list has no species.
TEST_F(Cle, ContradictionsAreCountedInOrderAndTheDrawnOnesLayeredByTheCount) {
    Demarre("INSERT INTO Contradictions VALUES ('Marge', -1, 'marge_x');");
    b.Base->Matrice(0, 0) = 2;  // Acer: F_SIMPLE "2"
    const struct {
        std::vector<int> reponses;
        int espece;
        std::vector<std::string> attendus;
    } cas[] = {
        {{1, 5, 8}, 0, {"8 layer 3 robot/CONTRA/ecorce_x.wmf", "1 button 2", "5 layer 5 robot/CONTRA/marge_x.wmf"}},
        {{0, 8}, 0, {"8 layer 3 robot/CONTRA/ecorce_x.wmf", "0 button 2"}},
        {{7, 8}, 2, {"7 layer 3 robot/CONTRA/ecorce_x.wmf"}},
        {{2, 6}, 3, {"2 nothing", "6 layer 4 robot/CONTRA/marge_x.wmf"}},
        {{0, 7}, -1, {}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE("species " + std::to_string(c.espece));
        Etats etats(9, 0);
        for (int e : c.reponses) etats[static_cast<size_t>(e)] = 1;
        ASSERT_TRUE(id->Remplace_Reponses(etats, {0, 0, 0}) && id->Actualise_Identification());
        const auto& especes = id->Resultats().Classement_Esp.Espece;
        const Contradictions_Espece r = id->Contradictions(
            c.espece < 0 ? 4 : static_cast<int>(std::find(especes.begin(), especes.end(), c.espece) - especes.begin()));
        std::vector<std::string> obtenus;
        for (const Etat_Contredit& e : r.Etats)
            obtenus.push_back(std::to_string(e.Etat) + (e.Bouton >= 0  ? " button " + std::to_string(e.Bouton)
                                                        : e.Calque > 0 ? " layer " + std::to_string(e.Calque) + " " + e.Dessin
                                                                       : " nothing"));
        const auto nombre = [&](const char* genre) {
            return std::count_if(c.attendus.begin(), c.attendus.end(),
                                 [&](const std::string& a) { return a.find(genre) != std::string::npos; });
        };
        EXPECT_EQ(std::tuple(r.Espece, obtenus, r.Nb_Dessins_Sup, static_cast<long>(r.Calques().size())),
                  std::tuple(c.espece, c.attendus, static_cast<int>(c.attendus.size()), nombre("layer")));
        const bool bouton = nombre("button") > 0;
        ASSERT_EQ(r.Barre.size(), 4u);
        EXPECT_EQ(std::tie(r.Boutons, r.Barre[0].Contredit, r.Barre[1].Contredit, r.Barre[1].Image),
                  std::tuple(bouton ? std::vector{2} : std::vector<int>{}, false, bouton,
                             bouton ? "robot/contra/feuille_x.ico" : "data/barres/bouton.ico"));
    }
}

// Portrait composition: each refresh loads the pieces whose drawing changed.
TEST_F(Cle, PortraitFollowsTheAnswersAndThePieceZeroVariantAndAMissingDrawingIsReported) {
    EXPECT_EQ(fenetre.Chargements, (Chargements{{0, "robot/00/tronc00.wmf"}, {1, "robot/01/feuille00.wmf"}}));
    const std::pair<std::pair<const char*, int>, Chargements> pas[] = {
        // Piece 1's path changes with the variant of piece 0.
        {{"Ecorce", 1}, {{0, "robot/00/tronc01.wmf"}, {1, "robot/01/feuille01.wmf"}}},
        {{"Feuille", 1}, {{1, "robot/01/feuille_comp01.wmf"}}},
        {{"Feuille", 1}, {}},
    };
    for (const auto& [reponse, chargements] : pas) {
        fenetre.Chargements.clear();
        Repond_Et_Actualise(reponse.first, reponse.second);
        EXPECT_EQ(fenetre.Chargements, chargements) << reponse.first;
    }
    ASSERT_EQ(id->Portrait().Chemins().size(), 2u);
    EXPECT_EQ(id->Portrait().Chemins()[1], "ROBOT/01/FEUILLE_COMP01.WMF");
    // A drawing that does not load fails the refresh with its path, and the list is ranked all the same.
    fenetre.Echec_Chargement = "tronc00";
    Repond("Ecorce", 0);
    const Status s = id->Actualise_Identification();
    EXPECT_EQ(std::tuple(s.ok(), s.message()), std::tuple(false, "robot/00/tronc00.wmf"));
    ASSERT_FALSE(fenetre.Derniere_Liste.Lignes.empty());
    EXPECT_EQ(fenetre.Derniere_Liste.Lignes[0], " 67% - Fraxinus");
}

// Portrait rows naming an unknown state, without "Fin" or outside the base, a first piece that is
// no metafile, a character sharing another's states and a dependency cycle: the unknown state is
// reported, the rest passed over, and the cycle clears what it reaches once.
TEST_F(Cle, ADamagedBaseDoesNotBreakTheEngine) {
    Demarre(R"sql(
INSERT INTO Hierarchie (Numero, Robot_Num, Nom, C_0, C_1) VALUES (-2, 1, 'sans_fin.wmf', 'F_SIMPLE', 'F_SIMPLE'),
  (-1, 1, 'inconnu.wmf', 'INCONNU', 'Fin'), (10, 7, 'x.wmf', 'Fin', NULL), (11, -1, 'x.wmf', 'Fin', NULL);
UPDATE Hierarchie SET Nom = 'tronc00.bmp' WHERE Numero = 2;
INSERT INTO Descendance VALUES (3, 'M_DENTEE', 'Feuille'), (4, 'INCONNU', 'Feuille'), (5, 'F_SIMPLE', 'Inconnu');
INSERT INTO Contradictions VALUES ('Marge', 99, 'marge_x');
INSERT INTO Objets_Fic VALUES ('Tige', 50, 0, 2, 1, 2, 9, 'tige', 'Stem', 1), ('Hors', 4, 8, 5, 1, 2, 0, 'hors', 'Outside', 1);
)sql");
    EXPECT_EQ(fenetre.Messages, (std::vector<std::string>{
                                    "Erreur : l'état du Caractère 'INCONNU' n'existe pas dans la Table 'Caractères'"}));
    // Piece 0 is not a metafile: no variant suffix for piece 1.
    EXPECT_EQ(fenetre.Chargements, (Chargements{{0, "robot/00/tronc00.bmp"}, {1, "robot/01/feuille"}}));
    fenetre.Chargements.clear();
    Repond_Et_Actualise("Feuille", 0);
    EXPECT_TRUE(fenetre.Chargements.empty());  // the row without "Fin" never applies
    Repond("Feuille", 1);
    Repond("Foliole", 1);
    Repond("Marge", 1);
    Repond_Et_Actualise("Marge", 0);  // M_DENTEE -> Feuille -> Foliole -> Marge -> ...
    EXPECT_EQ(id->Etats_Choisis(), (Etats{0, 0, 0, 0, 0, 1, 0, 0, 0}));
    Repond_Et_Actualise("Tige", 0);  // no frame: Etat_Cadre untouched
    EXPECT_EQ(id->Etat_Cadre(), (Etats{-1, -1, 0}));
    if (id->Cherche_Discriminant() == Issue_Recherche::Proposee) {
        EXPECT_NE(b.Base->Trouve_Objet(id->Question.Objet), nullptr);
    }
    for (int rang = 0; rang < 4; ++rang) {
        const Contradictions_Espece c = id->Contradictions(rang);
        ASSERT_EQ(c.Barre.size(), 4u);
        // Marge's button 99 is not on the bar: no picture changes for it.
        EXPECT_FALSE(c.Barre[0].Contredit || c.Barre[2].Contredit || c.Barre[3].Contredit) << rang;
    }
    EXPECT_EQ(b.Base->Trouve_Objet("Hors"), nullptr);  // its states lie outside the base
}

// Species numbers beyond 16 bits: a base of 40,000 species (two characters) loads, ranks, lists
// and ranks its questions.
TEST(Grande_Base, ABaseBeyond32767SpeciesLoadsAndRanks) {
    const Base_Temporaire dossier(Base_Synthetique(40000, 2, 2, 3));
    const auto base = Charge_Ou_Echoue(dossier.Lieux());
    ASSERT_TRUE(base && base->Nom_Esp.size() == 40000u && !base->Objets.empty());
    Fenetre_Enregistreuse fenetre;
    Identification_Courante id(*base, Reglages_Moteur{}, fenetre, fenetre);
    ASSERT_TRUE(id.Demarre());
    id.Question = Question_Courante::De_Objet(base->Objets[0]);
    id.Question.Choix = 1;
    ASSERT_TRUE(id.Valid_Descripteur());
    (void)id.Actualise_Identification();
    // The species showing that state come first, in species order, the last beyond 32,767.
    std::vector<int32_t> attendues;
    for (int s = 0; s < 40000; ++s) {
        if (base->Matrice(s, 1) == 1)
            attendues.push_back(s);
    }
    ASSERT_TRUE(!attendues.empty() && attendues.back() > 32767);
    EXPECT_EQ(id.Nb_Esp_Max(), static_cast<int>(attendues.size()));
    const auto& rangs = id.Resultats().Classement_Esp.Espece;
    ASSERT_EQ(rangs.size(), 40000u);
    EXPECT_EQ(std::vector<int32_t>(rangs.begin(), rangs.begin() + static_cast<long>(attendues.size())), attendues);
    ASSERT_EQ(id.Liste().Lignes.size(), 40000u);
    EXPECT_EQ(id.Liste().Lignes[attendues.size() - 1], " 100% - " + base->Nom_Esp[attendues.back()]);
    const auto questions = id.Questions_Classees();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].Position, 1);
}

}  // namespace
}  // namespace kestrane::test
