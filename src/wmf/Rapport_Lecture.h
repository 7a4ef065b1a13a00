#pragma once
// What one play of a metafile did: records played per function, and records skipped with why.

#include <cstdint>
#include <map>
#include <string>
#include <utility>

namespace kestrane::wmf {

struct Rapport_Lecture {
    std::map<uint16_t, int> joues;                            // function -> records played
    std::map<std::pair<uint16_t, std::string>, int> ignores;  // (function, reason) -> records

    void Ignore(uint16_t fonction, std::string raison) { ++ignores[{fonction, std::move(raison)}]; }
    int Nb_Ignores() const {
        int n = 0;
        for (const auto& [cle, nb] : ignores) n += nb;
        return n;
    }
};

}  // namespace kestrane::wmf
