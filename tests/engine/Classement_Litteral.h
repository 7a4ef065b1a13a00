#pragma once
// The scoring as first written: every state of every species, then an exchange sort that repeats
// passes until nothing moves, then the percentages. Arithmetic is 64-bit (128 for score x 100) so
// that it serves as the oracle of the fast scoring on any base. Used by the tests and benchmarks.

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "Base_Connaissance.h"
#include "Calcul_Classement.h"

namespace kestrane::test {

inline void Classement_Litteral(const Base_Connaissance& base, const std::vector<int16_t>& etats_choisis,
                                Resultats_Classement& r) {
    const int nb_esp = base.Nb_Esp;
    const int nb_etats = base.Nb_Etats_Desc;
    r.Score_Esp.assign(static_cast<size_t>(nb_esp), 0);
    for (int s = 0; s < nb_esp; ++s) {
        int64_t score = 0;
        for (int i = 0; i < nb_etats; ++i) {
            score += static_cast<int64_t>(base.Poids[static_cast<size_t>(i)]) * base.Matrice(s, i) *
                     etats_choisis[static_cast<size_t>(i)];
        }
        r.Score_Esp[static_cast<size_t>(s)] = score;
    }

    Classement& c = r.Classement_Esp;
    c.Score.assign(static_cast<size_t>(nb_esp), 0);
    c.Espece.assign(static_cast<size_t>(nb_esp), 0);
    c.Pourcent.resize(static_cast<size_t>(nb_esp));
    for (int k = 0; k < nb_esp; ++k) {
        c.Score[static_cast<size_t>(k)] = r.Score_Esp[static_cast<size_t>(k)];
        c.Espece[static_cast<size_t>(k)] = k;
    }
    bool echange = nb_esp > 1;
    while (echange) {
        echange = false;
        for (int j = 0; j + 1 < nb_esp; ++j) {
            const auto a = static_cast<size_t>(j);
            if (c.Score[a] < c.Score[a + 1]) {
                std::swap(c.Score[a], c.Score[a + 1]);
                std::swap(c.Espece[a], c.Espece[a + 1]);
                echange = true;
            }
        }
    }

    int64_t total = 0;
    for (int i = 0; i < nb_etats; ++i) {
        total +=
            static_cast<int64_t>(base.Poids[static_cast<size_t>(i)]) * etats_choisis[static_cast<size_t>(i)];
    }
    r.Pourcent_Esp.assign(static_cast<size_t>(nb_esp), 0);
    if (total == 0) {
        std::fill(c.Pourcent.begin(), c.Pourcent.end(), 0);
        return;
    }
    std::fesetround(FE_TONEAREST);  // nearbyint: halves to the even neighbour
    for (int k = 0; k < nb_esp; ++k) {
        const __int128 produit = static_cast<__int128>(c.Score[static_cast<size_t>(k)]) * 100;
        const double q = std::nearbyint(static_cast<double>(produit) / static_cast<double>(total));
        const double borne = std::clamp(q, static_cast<double>(std::numeric_limits<int32_t>::min()),
                                        static_cast<double>(std::numeric_limits<int32_t>::max()));
        r.Pourcent_Esp[static_cast<size_t>(k)] = static_cast<int32_t>(borne);
        c.Pourcent[static_cast<size_t>(c.Espece[static_cast<size_t>(k)])] =
            r.Pourcent_Esp[static_cast<size_t>(k)];
    }
}

}  // namespace kestrane::test
