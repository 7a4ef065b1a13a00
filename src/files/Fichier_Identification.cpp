#include "Fichier_Identification.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace kestrane {
namespace {

int Code(Erreur_Identification e) {
    return static_cast<int>(e);
}

void Lit_Valeurs(const uint8_t* data, size_t nombre, std::vector<int16_t>& out) {
    out.resize(nombre);
    for (size_t i = 0; i < nombre; ++i) {
        const auto valeur = static_cast<uint16_t>(data[2 * i] | (data[2 * i + 1] << 8));
        out[i] = static_cast<int16_t>(valeur);
    }
}

void Ajoute_Valeurs(const std::vector<int16_t>& valeurs, std::vector<uint8_t>& out) {
    for (const int16_t v : valeurs) {
        const auto u = static_cast<uint16_t>(v);
        out.push_back(static_cast<uint8_t>(u & 0xFF));
        out.push_back(static_cast<uint8_t>(u >> 8));
    }
}

std::string Erreur_Systeme() {
    return std::strerror(errno);
}

}  // namespace

size_t Taille_Identification(int nb_etats, int nb_cadre) {
    return 2 * (static_cast<size_t>(std::max(nb_etats, 0)) + static_cast<size_t>(std::max(nb_cadre, 0)));
}

Result<Reponses_Identification> Decode_Identification(const uint8_t* data, size_t taille, int nb_etats,
                                                      int nb_cadre) {
    const size_t attendu = Taille_Identification(nb_etats, nb_cadre);
    if (taille < attendu) {
        return Status::Error("the file holds " + std::to_string(taille) +
                                 " bytes where this knowledge base needs " + std::to_string(attendu) + " (" +
                                 std::to_string(nb_etats) + " states and " + std::to_string(nb_cadre) +
                                 " frames): it does not fit this knowledge base",
                             Code(Erreur_Identification::Trop_Court));
    }
    Reponses_Identification r;
    const size_t nb_e = static_cast<size_t>(std::max(nb_etats, 0));
    Lit_Valeurs(data, nb_e, r.Etats_Choisis);
    Lit_Valeurs(data + 2 * nb_e, static_cast<size_t>(std::max(nb_cadre, 0)), r.Etat_Cadre);
    return r;
}

std::vector<uint8_t> Encode_Identification(const std::vector<int16_t>& etats_choisis,
                                           const std::vector<int16_t>& etat_cadre) {
    std::vector<uint8_t> octets;
    octets.reserve(2 * (etats_choisis.size() + etat_cadre.size()));
    Ajoute_Valeurs(etats_choisis, octets);
    Ajoute_Valeurs(etat_cadre, octets);
    return octets;
}

Result<Reponses_Identification> Lit_Identification(const std::string& chemin, int nb_etats, int nb_cadre) {
    std::ifstream fichier(chemin, std::ios::binary);
    if (!fichier) {
        return Status::Error(chemin + ": cannot be opened (" + Erreur_Systeme() + ")",
                             Code(Erreur_Identification::Ouverture));
    }
    // Only the layout is read; whatever follows it is ignored.
    std::vector<uint8_t> octets(Taille_Identification(nb_etats, nb_cadre));
    fichier.read(reinterpret_cast<char*>(octets.data()), static_cast<std::streamsize>(octets.size()));
    const auto lus = static_cast<size_t>(fichier.gcount());
    if (fichier.bad()) {
        return Status::Error(chemin + ": cannot be read", Code(Erreur_Identification::Ouverture));
    }
    auto r = Decode_Identification(octets.data(), lus, nb_etats, nb_cadre);
    if (!r)
        return Status::Error(chemin + ": " + r.status().message(), r.status().code());
    return r;
}

std::string Chemin_Temporaire(const std::string& chemin) {
    return chemin + ".tmp~";
}

Status Ecrit_Identification(const std::string& chemin, const std::vector<int16_t>& etats_choisis,
                            const std::vector<int16_t>& etat_cadre) {
    const std::vector<uint8_t> octets = Encode_Identification(etats_choisis, etat_cadre);
    const std::string temporaire = Chemin_Temporaire(chemin);
    auto echec = [&](const std::string& quoi, bool supprime) {
        const std::string message = chemin + ": not saved, " + quoi + " (" + Erreur_Systeme() + ")";
        if (supprime)
            std::remove(temporaire.c_str());
        return Status::Error(message, Code(Erreur_Identification::Ecriture));
    };

    std::FILE* f = std::fopen(temporaire.c_str(), "wb");
    if (f == nullptr)
        return echec("cannot create " + temporaire, false);
    const bool ecrit = std::fwrite(octets.data(), 1, octets.size(), f) == octets.size();
    const bool vide = std::fflush(f) == 0;
    // The data must be on disk before the rename makes it the file: a crash then leaves either
    // the old file or the new one.
    const bool synchronise = vide && ::fsync(::fileno(f)) == 0;
    const bool ferme = std::fclose(f) == 0;
    if (!ecrit || !vide || !synchronise || !ferme)
        return echec("writing " + temporaire + " failed", true);
    if (std::rename(temporaire.c_str(), chemin.c_str()) != 0)
        return echec("cannot replace the file", true);
    return Status::Ok();
}

}  // namespace kestrane
