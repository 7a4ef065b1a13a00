#pragma once
// The engine's small key (tests/bases/cle, built by the builder) for the engine, file and
// command-line tests, an in-memory key generator for table-driven tests, and recording stand-ins
// for the window's side of the engine.
//
// Species (Flore order): 0 Acer, 1 Betula, 2 Carpinus, 3 Fraxinus.
// Characters (Objets_Fic by Objet): Ecorce (states 7 E_LISSE, 8 E_RUGUEUSE; frame 2),
// Feuille (0 F_SIMPLE, 1 F_COMP; frame 0), Foliole (2 FOL_3, 3 FOL_5, 4 FOL_7; frame 1, shown
// only after F_COMP), Marge (5 M_ENTIERE, 6 M_DENTEE; frame 1, shown only after FOL_5).
// Portrait: piece 0 trunk (tronc01.wmf when E_RUGUEUSE, else tronc00.wmf), piece 1 leaf
// (feuille_comp when F_COMP, else feuille). Contradictions: Ecorce by drawing, Feuille by button 2.
// Determination bar: Bark, Leaf, Search, Results.

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "Base_Test.h"
#include "Identification_Courante.h"

namespace kestrane::test {

// A copy of the built key, `sql` run on it, loaded.
struct Cle_Chargee {
    std::unique_ptr<Copie_Base> Copie;
    std::unique_ptr<Base_Connaissance> Base;
};
Cle_Chargee Charge_Cle(const std::string& sql = {});

// A key in memory: character c has etats[c] states (named "Cc_j"), each of weight poids[c] (1 when
// none are given); especes[s][c] is the state species s shows for character c (-1: none); each
// dependency {c, p, j} makes character c wait for state j of character p. Every character may be
// proposed.
struct Cle_Memoire {
    std::vector<int> etats;
    std::vector<int16_t> poids;
    std::vector<std::vector<int>> especes;
    std::vector<std::array<int, 3>> dependances;
};
std::unique_ptr<Base_Connaissance> Construit(const Cle_Memoire& cle);
// The same with nb_esp species that show no state, for tests that fill the matrix themselves.
std::unique_ptr<Base_Connaissance> Construit_Vide(int nb_esp, const std::vector<int>& etats);

// Records what the engine asks of the window.
class Fenetre_Enregistreuse : public Observateur_Identification, public Dialogue_Utilisateur {
  public:
    bool Charge_Piece(int piece, const std::string& chemin) override {
        Chargements.emplace_back(piece, chemin);
        return Echec_Chargement.empty() || chemin.find(Echec_Chargement) == std::string::npos;
    }
    void Etat_Inexistant(const std::string& message) override { Messages.push_back(message); }
    void Identification_Devenue_Modifiee() override { ++Devenue_Modifiee; }
    void Liste_Esp_Remplie(const Liste_Especes& liste) override { Derniere_Liste = liste; }
    void Message(const std::string& texte) override { Messages.push_back(texte); }
    bool Question_Oui_Non(const std::string& texte) override { return Questions.push_back(texte), Reponse_Oui; }

    std::vector<std::pair<int, std::string>> Chargements;
    std::string Echec_Chargement;  // loads of a path containing this fail
    std::vector<std::string> Messages, Questions;
    bool Reponse_Oui = true;
    int Devenue_Modifiee = 0;
    Liste_Especes Derniere_Liste;
};

// The key loaded and an identification started on it with the recording window; answers given as
// the question bar gives them.
class Cle_Demarree : public ::testing::Test {
  protected:
    void SetUp() override { Demarre(); }

    // Starts again on a fresh copy of the key, `sql` run on it.
    void Demarre(const std::string& sql = {}, int seuil = 0) {
        b = Charge_Cle(sql);
        ASSERT_NE(b.Base, nullptr);
        fenetre = Fenetre_Enregistreuse{};
        id = std::make_unique<Identification_Courante>(*b.Base, Reglages_Moteur{"robot/", "data/", seuil, {}},
                                                       fenetre, fenetre);
        ASSERT_TRUE(id->Demarre());
    }
    // The question on `objet`'s character, with `choix` (-1: none).
    void Pose(const char* objet, int choix) {
        const Objet_Fic* o = b.Base->Trouve_Objet(objet);
        ASSERT_NE(o, nullptr) << objet;
        id->Question = Question_Courante::De_Objet(*o);
        id->Question.Choix = choix;
    }
    void Repond(const char* objet, int choix) {
        Pose(objet, choix);
        ASSERT_TRUE(id->Valid_Descripteur());
    }
    void Repond_Et_Actualise(const char* objet, int choix) {
        Repond(objet, choix);
        ASSERT_TRUE(id->Actualise_Identification());
    }

    Cle_Chargee b;
    Fenetre_Enregistreuse fenetre;
    std::unique_ptr<Identification_Courante> id;
};

}  // namespace kestrane::test
