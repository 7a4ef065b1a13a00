#pragma once
// Knowledge bases for the tests and benchmarks: copies of the test bases the builder made from
// tests/bases, and synthetic bases of any size written from generated rows.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Chargeur_Base.h"

namespace kestrane::test {

// A base given as rows: the schema, the rows as SQL, POIDS.DAT and MATRICE.DAT.
struct Description_Base {
    std::string sql;               // rows (INSERT statements) run after the schema
    std::vector<int16_t> poids;    // POIDS.DAT
    std::vector<int16_t> matrice;  // MATRICE.DAT, state-major
};

// A description written in a temporary folder with a machine settings file that points at it;
// the folder is removed with the object.
class Base_Temporaire {
public:
    explicit Base_Temporaire(const Description_Base& description);
    ~Base_Temporaire();
    Base_Temporaire(const Base_Temporaire&) = delete;
    Base_Temporaire& operator=(const Base_Temporaire&) = delete;

    // The data folder, ending with "/".
    std::string Dossier() const { return dossier_.string() + "/"; }
    std::string Chemin_Base() const { return Dossier() + "base.sqlite"; }
    Emplacements_Base Lieux() const { return {Chemin_Base(), Dossier()}; }
    // A machine settings file whose paths point into the folder (relative paths).
    std::string Reglages_Machine() const { return Dossier() + "kestrane.ini"; }

private:
    std::filesystem::path dossier_;
};

// Where the builder put the database and data files of the base in `dossier` (its output, or a
// copy of it).
Emplacements_Base Lieux_Construits(const std::filesystem::path& dossier);

// Loads a base without a palette; throws std::runtime_error with the loader's message when it does
// not load (the test fails with that message).
std::unique_ptr<Base_Connaissance> Charge_Ou_Echoue(const Emplacements_Base& lieux);

// A copy of a test base of tests/bases, as the builder wrote it, in a fresh temporary folder
// removed with the object: tests that damage or change a base change their own copy.
class Copie_Base {
public:
    explicit Copie_Base(const std::string& nom);
    ~Copie_Base();
    Copie_Base(const Copie_Base&) = delete;
    Copie_Base& operator=(const Copie_Base&) = delete;

    // The copy's root (kestrane.ini, data/, robot/, descripteurs/, documents/...).
    const std::filesystem::path& Dossier() const { return dossier_; }
    std::string Reglages_Machine() const { return (dossier_ / "kestrane.ini").string(); }
    Emplacements_Base Lieux() const { return Lieux_Construits(dossier_); }
    std::string Chemin_Base() const { return Lieux().Chemin_Base; }
    // Runs `sql` on the copy's database; throws std::runtime_error on an SQL error.
    void Execute_SQL(const std::string& sql) const;

private:
    std::filesystem::path dossier_;
};

// A synthetic base of nb_esp species and nb_caracteres characters of etats_par_caractere states,
// with 0/1 matrix values drawn from the seed; used by benchmarks and the large-base tests.
Description_Base Base_Synthetique(int nb_esp, int nb_caracteres, int etats_par_caractere, unsigned seed);

// A fresh empty temporary folder (removed by the caller).
std::filesystem::path Dossier_Temporaire(const std::string& prefixe);

}  // namespace kestrane::test
