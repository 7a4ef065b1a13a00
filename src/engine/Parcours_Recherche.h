#pragma once
// The walker: how well the discriminant search identifies each species of a base when the user
// answers every question truthfully. `kestrane-cli walk` prints its figures; tests call it.
//
// The walk of species s, with a strategy and a display threshold:
//  1. An identification starts empty, as New identification leaves it (no answer, Joker as
//     loaded, nothing skipped).
//  2. Search runs as the determination bar's button runs it (Maitre_Discriminant). The walk ends
//     when it proposes nothing: one species alone at the top (message 1078), nothing separates
//     the candidates (1075), or the retry of skipped characters is offered (the walker declines).
//  3. The proposed character is answered with s's own first state: the first of its states, in
//     state order, whose matrix value for s is not 0. The answer is validated and the
//     identification refreshed as the question bar's OK does; back to 2.
//     When s has none of the character's states, the question is skipped with Next (the
//     character is no longer proposed; the search runs again) and counts as a question that did
//     not apply.
// A question is every character proposed, answered or skipped; an asked character is one of them.
// The group is the species at the best percentage when the walk ends (the tied top of the
// ranking, whatever the threshold lists). s is identified when it is in the group and every
// other member has the same matrix value as s on every state of every asked character: the
// questions asked could not tell them apart. It is identified alone when the group is s alone.
//
// The base and its matrix are only read; each call uses its own identification.

#include <functional>
#include <vector>

#include "Base_Connaissance.h"
#include "Strategie_Recherche.h"

namespace kestrane {

struct Parcours_Espece {
    int Espece = 0;
    std::vector<int> Questions;  // positions in Objets_Fic of the characters asked, in order
    int Non_Applicables = 0;     // questions for which s has no state (skipped)
    std::vector<int> Groupe;     // the species at the best percentage at the end, by rank
    bool Identifiee = false;
};

struct Bilan_Parcours {
    Strategie_Recherche Strategie = Strategie_Recherche::Entropie;
    std::vector<Parcours_Espece> Especes;  // one walk per species, in species order
    int Nb_Identifiees = 0;
    int Nb_Seules = 0;               // identified alone
    double Moyenne_Questions = 0.0;  // over every walk
    int Pire_Questions = 0;
    int Questions_Non_Applicables = 0;  // over every walk

    double Part_Identifiee() const {
        return Especes.empty() ? 0.0
                               : static_cast<double>(Nb_Identifiees) / static_cast<double>(Especes.size());
    }
};

// The walk of one species (0 .. Nb_Esp - 1).
Parcours_Espece Parcourt_Espece(const Base_Connaissance& base, Strategie_Recherche strategie, int espece,
                                int seuil = 0);

// The walks of `especes` (each 0 .. Nb_Esp - 1), in that order, with one identification: walks
// that begin with the same answers share the searches of those answers. `apres_chaque` is called
// after each walk. Independent calls may run on different threads over the same base.
std::vector<Parcours_Espece> Parcourt_Liste(const Base_Connaissance& base, Strategie_Recherche strategie,
                                            const std::vector<int>& especes, int seuil = 0,
                                            const std::function<void()>& apres_chaque = {});

// Every species' walk and the figures over them.
Bilan_Parcours Parcourt_Especes(const Base_Connaissance& base, Strategie_Recherche strategie, int seuil = 0);

}  // namespace kestrane
