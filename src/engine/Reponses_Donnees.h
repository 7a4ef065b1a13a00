#pragma once
// The answers given so far, described as the answers panel and `kestrane-cli answers` show them:
// per answered character its question and the states it holds, in the knowledge base's texts of
// one language.
//
// A character is answered when one of its states has a non-zero value in Etats_Choisis (a file may
// hold values other than 1, or several states of one character). Only states the base names (a
// Caracteres row) are described; a character whose states lie outside the base is never listed.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Base_Connaissance.h"
#include "Reponses_Mesurees.h"

namespace kestrane {

struct Etat_Decrit {
    int Numero = 0;   // state number
    int Cellule = 0;  // its cell in the character's picture (Numero - Index_Car)
    int16_t Valeur = 0;
    std::string ID_CARAC;
    std::string Texte;
};

struct Reponse_Decrite {
    size_t Objet = 0;  // index in base.Objets
    std::string Nom;   // the character's Objet
    std::string Question;
    std::vector<Etat_Decrit> Etats;
    std::optional<Valeur_Mesuree> Mesure;  // the value given, for a measured character
    std::string Unite;                     // a measured character's unit
};

// The answered characters as indices in base.Objets, in state-number order (by Index_Car; equal
// ones in table order): the order of an identification read from a file, which keeps none.
std::vector<size_t> Caracteres_Repondus(const Base_Connaissance& base, const std::vector<int16_t>& etats);

// Whether character `objet` (index in base.Objets) holds an answer in `etats`.
bool Est_Repondu(const Base_Connaissance& base, const std::vector<int16_t>& etats, size_t objet);

// The answers of the characters of `ordre`, in that order, with texts in language `suffixe`
// (Textes_Base). Characters of `ordre` that hold no answer are left out.
// `valeurs`: the measured values given (Identification_Courante::Valeurs), may be empty.
std::vector<Reponse_Decrite> Decrit_Reponses(const Base_Connaissance& base, const std::vector<int16_t>& etats,
                                             const std::vector<size_t>& ordre, std::string_view suffixe,
                                             const Valeurs_Mesurees& valeurs = {});

// A measured value as the answers show it: "34 mm (± 10 %)", "34 mm" without tolerance.
std::string Texte_Mesure(const Valeur_Mesuree& valeur, const std::string& unite);

}  // namespace kestrane
