#pragma once
// The ranking table of the species: row 0 the raw score at rank k, row 1 the species at rank k,
// row 2 the percentage of species s at column s. Scores are kept wide so that large bases rank
// and divide correctly.

#include <cstdint>
#include <vector>

namespace kestrane {

struct Classement {
    std::vector<int64_t> Score;          // row 0, by rank
    std::vector<int32_t> Espece;         // row 1, by rank
    std::vector<int32_t> Pourcent;       // row 2, by species

    // The ranking right after loading: rank k holds species k, every score and percentage 0.
    static Classement Initial(int nb_esp) {
        Classement c;
        c.Score.assign(static_cast<size_t>(nb_esp), 0);
        c.Pourcent.assign(static_cast<size_t>(nb_esp), 0);
        c.Espece.resize(static_cast<size_t>(nb_esp));
        for (int k = 0; k < nb_esp; ++k) c.Espece[static_cast<size_t>(k)] = k;
        return c;
    }
};

}  // namespace kestrane
