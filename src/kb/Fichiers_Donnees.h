#pragma once
// POIDS.DAT and MATRICE.DAT: bare arrays of little-endian 16-bit signed integers, read whole.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrane {

enum class Echec_Lecture { Aucun, Ouverture, Lecture };

struct Lecture_Tableau {
    Echec_Lecture echec = Echec_Lecture::Aucun;
    std::string detail;  // what went wrong, naming the file
};

// Reads exactly `elements` values from the start of the file into `out` (resized to that count;
// an array already of that size is read into as it is, so it is never filled twice).
// Fails with Ouverture when the file cannot be opened, with Lecture when it is shorter than
// 2 x elements bytes or cannot be read; `out` is then left zero-filled. Bytes after the array are
// ignored. The file is found without regard to case.
Lecture_Tableau Lit_Tableau_16(const std::string& path, size_t elements, std::vector<int16_t>& out);

// The same failures, found without reading or allocating anything: whether the file opens and
// holds 2 x elements bytes. Lets a caller refuse a file before making room for its array.
Lecture_Tableau Verifie_Tableau_16(const std::string& path, size_t elements);

// Writes the values as little-endian 16-bit integers (used by the tools that build bases).
bool Ecrit_Tableau_16(const std::string& path, const std::vector<int16_t>& values);

}  // namespace kestrane
