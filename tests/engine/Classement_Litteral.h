#pragma once
// The scoring as first written: every state of every species, then an exchange sort that repeats
// passes until nothing moves, then the percentages. Arithmetic is 64-bit (128 for score x 100) so
// that it serves as the oracle of the fast scoring on any base. Used by the tests and benchmarks.

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <vector>

#include "Base_Connaissance.h"
#include "Calcul_Classement.h"

namespace kestrane::test {

inline void Classement_Litteral(const Base_Connaissance& base, const std::vector<int16_t>& etats,
                                Resultats_Classement& r) {
    const int nb_esp = base.Nb_Esp, nb_etats = base.Nb_Etats_Desc;
    const auto n = static_cast<size_t>(nb_esp);
    r.Score_Esp.assign(n, 0);
    for (int s = 0; s < nb_esp; ++s) {
        int64_t score = 0;
        for (int i = 0; i < nb_etats; ++i)
            score += int64_t{base.Poids[static_cast<size_t>(i)]} * base.Matrice(s, i) *
                     etats[static_cast<size_t>(i)];
        r.Score_Esp[static_cast<size_t>(s)] = score;
    }

    Classement& c = r.Classement_Esp;
    c.Score.assign(r.Score_Esp.begin(), r.Score_Esp.end());
    c.Espece.resize(n);
    std::iota(c.Espece.begin(), c.Espece.end(), 0);
    c.Pourcent.assign(n, 0);
    for (bool echange = true; echange;) {
        echange = false;
        for (size_t j = 0; j + 1 < n; ++j) {
            if (c.Score[j] < c.Score[j + 1]) {
                std::swap(c.Score[j], c.Score[j + 1]);
                std::swap(c.Espece[j], c.Espece[j + 1]);
                echange = true;
            }
        }
    }

    int64_t total = 0;
    for (size_t i = 0; i < static_cast<size_t>(nb_etats); ++i) total += int64_t{base.Poids[i]} * etats[i];
    r.Pourcent_Esp.assign(n, 0);
    if (total == 0)
        return;
    std::fesetround(FE_TONEAREST);  // nearbyint: halves to the even neighbour
    for (size_t k = 0; k < n; ++k) {
        const double q = std::nearbyint(static_cast<double>(static_cast<__int128>(c.Score[k]) * 100) /
                                        static_cast<double>(total));
        r.Pourcent_Esp[k] = static_cast<int32_t>(std::clamp(q, double{std::numeric_limits<int32_t>::min()},
                                                            double{std::numeric_limits<int32_t>::max()}));
        c.Pourcent[static_cast<size_t>(c.Espece[k])] = r.Pourcent_Esp[k];
    }
}

}  // namespace kestrane::test
