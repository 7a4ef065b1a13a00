#include "Fichiers_Donnees.h"

#include <fstream>

#include "Chemins_Fichiers.h"

namespace kestrane {

Lecture_Tableau Lit_Tableau_16(const std::string& path, size_t elements, std::vector<int16_t>& out) {
    out.assign(elements, 0);
    std::ifstream in(Trouve_Fichier(path), std::ios::binary);
    if (!in) return {Echec_Lecture::Ouverture, path + ": cannot be opened"};

    std::vector<unsigned char> bytes(elements * 2);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    const auto got = static_cast<size_t>(in.gcount());
    if (got != bytes.size()) {
        return {Echec_Lecture::Lecture, path + ": holds " + std::to_string(got) + " bytes where " +
                                            std::to_string(bytes.size()) + " are needed"};
    }
    for (size_t i = 0; i < elements; ++i) {
        const auto value = static_cast<uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        out[i] = static_cast<int16_t>(value);
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
