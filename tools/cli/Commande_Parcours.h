#pragma once
// `kestrane-cli walk`: how well Search identifies every species of a base when each question is
// answered with the species' own first state (the walker, Parcours_Recherche.h, says exactly
// what is counted). Prints, for each strategy asked (both by default), the share of species
// identified, how many alone, the mean and worst number of questions and the questions that did
// not apply; then the species not identified with the group they end in. --json adds every walk.

#include <ostream>
#include <vector>

#include "Base_Connaissance.h"
#include "Parcours_Recherche.h"

namespace kestrane::cli {

void Ecrit_Parcours(const Base_Connaissance& base, const std::vector<Bilan_Parcours>& bilans, bool json,
                    std::ostream& out);

}  // namespace kestrane::cli
