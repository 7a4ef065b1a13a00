#pragma once
// `kestrane-cli compare SPECIES SPECIES`: what tells two species apart (Comparaison_Especes.h),
// the questions, states and headings in the language `langue` (0 English, 1 Spanish, 2 French)
// where the base translates them. Text: a heading per section, then one line per character,
// "OBJET<tab>question<tab>first species' states<tab>second species' states" (states joined by
// "; "). --json: the same sections with the state identifiers beside their texts.

#include <ostream>
#include <string>

#include "Base_Connaissance.h"
#include "Comparaison_Especes.h"

namespace kestrane::cli {

// The species named `nom` (its name or its code, without regard to case); -1 when none is.
int Trouve_Espece(const Base_Connaissance& base, const std::string& nom);

void Ecrit_Comparaison(const Base_Connaissance& base, const Comparaison_Especes& comparaison, int langue,
                       bool json, std::ostream& out);

}  // namespace kestrane::cli
