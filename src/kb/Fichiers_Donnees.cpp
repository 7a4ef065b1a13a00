#include "Fichiers_Donnees.h"

#include <algorithm>
#include <bit>
#include <fstream>

#include "Chemins_Fichiers.h"

namespace kestrane {

namespace {

// The bytes a file of `elements` values needs and those it holds, as a failure text.
std::string Trop_Court(const std::string& path, std::streamoff got, size_t elements) {
    return path + ": holds " + std::to_string(got) + " bytes where " +
           std::to_string(elements * sizeof(int16_t)) + " are needed";
}

}  // namespace

Lecture_Tableau Verifie_Tableau_16(const std::string& path, size_t elements) {
    std::ifstream in(Trouve_Fichier(path), std::ios::binary | std::ios::ate);
    if (!in)
        return {Echec_Lecture::Ouverture, path + ": cannot be opened"};
    const std::streamoff taille = in.tellg();
    if (taille < 0 || static_cast<uintmax_t>(taille) / sizeof(int16_t) < elements) {
        return {Echec_Lecture::Lecture, Trop_Court(path, std::max<std::streamoff>(taille, 0), elements)};
    }
    return {};
}

Lecture_Tableau Lit_Tableau_16(const std::string& path, size_t elements, std::vector<int16_t>& out) {
    if (out.size() != elements)
        out.assign(elements, 0);
    std::ifstream in(Trouve_Fichier(path), std::ios::binary);
    if (!in) {
        std::fill(out.begin(), out.end(), 0);
        return {Echec_Lecture::Ouverture, path + ": cannot be opened"};
    }

    // Read straight into the array, so the matrix is held once; fix the byte order afterwards.
    const auto wanted = static_cast<std::streamsize>(elements * sizeof(int16_t));
    in.read(reinterpret_cast<char*>(out.data()), wanted);
    const auto got = in.gcount();
    if (got != wanted) {
        std::fill(out.begin(), out.end(), 0);
        return {Echec_Lecture::Lecture, Trop_Court(path, got, elements)};
    }
    if constexpr (std::endian::native == std::endian::big) {
        for (auto& v : out) {
            const auto u = static_cast<uint16_t>(v);
            v = static_cast<int16_t>(static_cast<uint16_t>((u >> 8) | (u << 8)));
        }
    }
    return {};
}

bool Ecrit_Tableau_16(const std::string& path, const std::vector<int16_t>& values) {
    std::vector<unsigned char> bytes(values.size() * 2);
    for (size_t i = 0; i < values.size(); ++i) {
        const auto v = static_cast<uint16_t>(values[i]);
        bytes[2 * i] = static_cast<unsigned char>(v & 0xFF);
        bytes[2 * i + 1] = static_cast<unsigned char>(v >> 8);
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace kestrane
