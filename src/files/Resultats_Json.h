#pragma once
// The identification's results as JSON, written alike by the command-line key (--json) and the
// web key, so that both say the same thing in the same bytes: the results list, the proposed
// question, the ranked questions and the contradictions of a species.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "Base_Connaissance.h"
#include "Contradictions_Espece.h"
#include "Identification_Courante.h"
#include "Recherche_Discriminant.h"

namespace kestrane {

// A JSON string literal with its escapes.
std::string Json_Texte(std::string_view texte);

// A discriminant power as the outputs print it: six decimals.
std::string Pouvoir_Texte(double pouvoir);

// The discriminant power the last search gave the question `objet` (0 for none).
double Pouvoir_Objet(const Base_Connaissance& base, const Identification_Courante& id, const Objet_Fic* objet);

// {"label", "nb_esp_max", "lines": [{"rank", "species", "name", "score", "percent", "line"}]}
void Ecrit_Rang_Json(const Identification_Courante& id, std::ostream& out);

// What Search gave: {"proposed": {"objet", "question", "power", "states"}, "message": null} when
// it proposed Question, else {"proposed": null, "message": the message it showed}. Question texts
// in language `suffixe`.
void Ecrit_Meilleur_Json(const Base_Connaissance& base, const Identification_Courante& id,
                         Issue_Recherche issue, const std::string& message, std::string_view suffixe,
                         std::ostream& out);

// {"questions": [{"objet", "question", "power"}]}, best first.
void Ecrit_Classement_Json(const Base_Connaissance& base, const std::vector<Question_Classee>& lignes,
                           std::string_view suffixe, std::ostream& out);

// {"species", "nb_dessins_sup", "contradictions": [{"objet", "state", "layer" and "drawing" | "button"}],
//  "buttons": [{"number", "caption", "picture", "contradicted"}]}
void Ecrit_Contra_Json(const Base_Connaissance& base, const Contradictions_Espece& c, std::ostream& out);

// The state identifier of a state number (the number itself when Caracteres has no such row).
std::string Identifiant_Etat(const Base_Connaissance& base, int etat);

}  // namespace kestrane
