#pragma once
// The identification the user is working on, and the engine that keeps its results current.
//
// It holds the answers (Etats_Choisis: 1 chosen / 0 not, per state; Etat_Cadre: -1 answered / 0
// not, per frame), the Joker flags of the discriminant search, Car_Passe, the modified flag and
// the question being asked; and what the answers give: the ranking, the results list, the
// portrait pieces and the discriminant powers. One object per window; it keeps references to the
// knowledge base, the observer and the dialogue, which must outlive it. Not thread-safe: every
// call comes from the thread that owns the window.
//
// Indices that come from the question, a file or the base are checked: a value out of range is
// refused with a Status, never used.

#include <cstdint>
#include <string>
#include <vector>

#include "Base_Connaissance.h"
#include "Calcul_Classement.h"
#include "Composition_Portrait.h"
#include "Contradictions_Espece.h"
#include "Dialogue_Utilisateur.h"
#include "Graphe_Descendance.h"
#include "Liste_Especes.h"
#include "Observateur_Identification.h"
#include "Question_Courante.h"
#include "Recherche_Discriminant.h"
#include "Reponses_Mesurees.h"
#include "Status.h"
#include "Strategie_Recherche.h"
#include "Textes_Moteur.h"

namespace kestrane {

struct Reglages_Moteur {
    std::string Rep_Robot;   // portrait drawings and contradiction marks, ends with "/"
    std::string Rep_Data;    // toolbar pictures, ends with "/"
    int Seuil_Pourcent = 0;  // species below this percentage are not listed
    Textes_Moteur Textes;
    Strategie_Recherche Strategie = Strategie_Recherche::Entropie;  // how Search chooses
};

// How a discriminant search ended.
enum class Issue_Recherche {
    Proposee,          // Question holds the proposed character (Choix -1): open the state chooser
    Aucune,            // nothing separates the candidates; message 1075 was shown
    Refusee,           // the user declined to retry skipped characters: back to the portrait
    Une_Seule_Espece,  // only one species at the top; message 1078 was shown, no search ran
};

class Identification_Courante {
  public:
    Identification_Courante(const Base_Connaissance& base, Reglages_Moteur reglages,
                            Observateur_Identification& observateur, Dialogue_Utilisateur& dialogue);

    // The character being asked; the window fills it and sets Choix.
    Question_Courante Question;

    const std::vector<int16_t>& Etats_Choisis() const { return etats_choisis_; }
    const std::vector<int16_t>& Etat_Cadre() const { return etat_cadre_; }
    const std::vector<bool>& Joker() const { return joker_; }
    bool Car_Passe() const { return car_passe_; }
    bool Identification_Modifiee() const { return modifiee_; }
    // The measured values given, by measured character (base.Mesures); a value is kept only while
    // its character's classes are those it chose.
    const Valeurs_Mesurees& Valeurs() const { return valeurs_; }
    // The value given for the character at row `position` of Objets, if any.
    std::optional<Valeur_Mesuree> Valeur_De(size_t position) const;

    // The answer already given to a character, relative to its first state: the last of its
    // states with a non-zero value, -1 when none (or when the range lies outside the base). The
    // state chooser preselects it.
    int Choix_Donne(int index_car, int nb_car) const;

    // Start of a session: Nettoye, refresh, then marked unchanged.
    Status Demarre();
    // New identification: Nettoye, refresh, Joker reloaded, marked unchanged.
    Status Nouvelle_Identification();

    // Clears every answer and Car_Passe; nothing else (Joker, Question, results stay).
    void Nettoye();
    // Applies Question.Choix to the asked character, clearing the dependants of its previous
    // answer. Does not rescore. Fails, changing nothing, when the question's states, frame or
    // Choix lie outside the base.
    Status Valid_Descripteur();
    // Clears the dependants of state `ancien_provenance` (see Graphe_Descendance).
    void Nettoie_Descendance(int ancien_provenance);
    // Answers the asked measured character with a value: its chosen classes become those that
    // value +/- tolerance (a percentage of the value) meets, the dependants of its previous answer
    // are cleared, and the value is kept. Does not rescore. Fails, changing nothing, when the
    // character is not measured, or the value or tolerance is not a finite number (tolerance >= 0).
    Status Valid_Mesure(double valeur, double tolerance);
    // The refresh after every change of the answers: marks the identification modified, composes
    // the portrait and rescores and relists. A drawing that cannot be loaded is reported in the
    // Status (its path) after the scoring still ran.
    Status Actualise_Identification();
    // Scoring, ranking, percentages and the list fill.
    void Remplit_Liste_Esp();

    // Replaces the answers with those of a file; the caller then refreshes and marks it saved.
    // Fails, changing nothing, when the sizes are not those of the base.
    Status Remplace_Reponses(std::vector<int16_t> etats_choisis, std::vector<int16_t> etat_cadre);
    // After a save or an open.
    void Marque_Enregistree() { modifiee_ = false; }
    // Undo and redo: puts back the answers, Joker and Car_Passe as they were; the caller refreshes.
    // Fails, changing nothing, when the answers' sizes are not those of the base.
    Status Restaure(std::vector<int16_t> etats_choisis, std::vector<int16_t> etat_cadre,
                    std::vector<bool> joker, bool car_passe, Valeurs_Mesurees valeurs = {});

    // The display threshold; a change relists the existing ranking (lines only).
    int Seuil_Pourcent() const { return reglages_.Seuil_Pourcent; }
    void Change_Seuil(int seuil);
    // The messages' and the list label's texts; the label is rewritten at once (Liste()).
    void Change_Textes(const Textes_Moteur& textes);

    // The determination bar's "Search": message 1078 when one species is alone at the top,
    // otherwise Cherche_Discriminant.
    Issue_Recherche Maitre_Discriminant();
    // The search itself; may ask whether to retry skipped characters (then reloads Joker).
    Issue_Recherche Cherche_Discriminant();
    // The question bar's skip: the asked character is no longer proposed, then a new search.
    Issue_Recherche Passe_Caractere();
    // Joker as loaded from Objets_Fic.
    void Recharge_Joker();

    // The search strategy; a change applies from the next search.
    Strategie_Recherche Strategie() const { return reglages_.Strategie; }
    void Change_Strategie(Strategie_Recherche strategie) { reglages_.Strategie = strategie; }
    // Every character still allowed and unanswered with its power among the candidates the
    // search would take, best first by the strategy: the first line is what the search proposes
    // when it proposes one. Reads the identification only (Joker and the answers stay).
    std::vector<Question_Classee> Questions_Classees();
    // The other characters the user can answer now, in Objets_Fic order (see Hors_Classement).
    std::vector<int> Questions_Hors_Classement(const std::vector<Question_Classee>& classees) const {
        return recherche_.Hors_Classement(etats_choisis_, classees);
    }

    // The contradictions of the species at rank `rang` of the list; empty when out of range.
    Contradictions_Espece Contradictions(int rang) const;

    const Resultats_Classement& Resultats() const { return resultats_; }
    const Liste_Especes& Liste() const { return liste_; }
    int Nb_Esp_Max() const { return liste_.Nb_Esp_Max; }
    const std::vector<double>& Pouvoir_Discriminant() const { return pouvoir_; }
    const Composition_Portrait& Portrait() const { return portrait_; }
    Composition_Portrait& Portrait() { return portrait_; }

  private:
    const Base_Connaissance& base_;
    Reglages_Moteur reglages_;
    Observateur_Identification& observateur_;
    Dialogue_Utilisateur& dialogue_;

    std::vector<int16_t> etats_choisis_;
    std::vector<int16_t> etat_cadre_;
    std::vector<bool> joker_;
    bool car_passe_ = false;
    bool modifiee_ = false;
    Valeurs_Mesurees valeurs_;

    // Forgets the value of each measured character none of whose classes is chosen any more.
    void Oublie_Valeurs_Orphelines();

    Graphe_Descendance descendance_;
    Calcul_Classement calcul_;
    Resultats_Classement resultats_;
    Liste_Especes liste_;
    Recherche_Discriminant recherche_;
    std::vector<double> pouvoir_;
    Composition_Portrait portrait_;
};

}  // namespace kestrane
