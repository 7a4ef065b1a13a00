#include "Base_Test.h"

#include <sqlite3.h>

#include <fstream>
#include <random>
#include <stdexcept>
#include <utility>

#include "Fichiers_Donnees.h"
#include "Schema_Base.h"

namespace kestrane::test {

namespace {

// INSERT statements for Parametres.
std::string Parametres_SQL(const std::vector<std::pair<std::string, std::string>>& valeurs) {
    std::string sql;
    for (const auto& [nom, etat] : valeurs) sql += "INSERT INTO Parametres VALUES ('" + nom + "', '" + etat + "');\n";
    return sql;
}

// Creates the database file and runs the schema and the rows; throws std::runtime_error on an SQL
// error (a fixture that does not build is a fault of the test).
void Cree_Base_SQLite(const std::string& chemin, const std::string& sql) {
    std::filesystem::remove(chemin);
    sqlite3* db = nullptr;
    if (sqlite3_open(chemin.c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot create " + chemin);
    }
    const std::string script = "BEGIN;\n" + Schema_SQL(0) + sql + "COMMIT;\n";
    char* error = nullptr;
    if (sqlite3_exec(db, script.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        sqlite3_close(db);
        throw std::runtime_error(chemin + ": " + message);
    }
    sqlite3_close(db);
}

}  // namespace

std::filesystem::path Dossier_Temporaire(const std::string& prefixe) {
    static std::mt19937_64 alea{std::random_device{}()};
    for (;;) {
        auto dossier = std::filesystem::temp_directory_path() / (prefixe + "-" + std::to_string(alea() % 100000000));
        if (std::filesystem::create_directory(dossier)) return dossier;
    }
}

Base_Temporaire::Base_Temporaire(const Description_Base& description) : dossier_(Dossier_Temporaire("kestrane-base")) {
    Cree_Base_SQLite(Chemin_Base(), description.sql);
    Ecrit_Tableau_16(Dossier() + "POIDS.DAT", description.poids);
    Ecrit_Tableau_16(Dossier() + "MATRICE.DAT", description.matrice);
    std::ofstream(Reglages_Machine()) << "[Logiciel]\nData=./\nBase=base.sqlite\nDescripteurs=descripteurs/\nExecutables=./\n"
                             "Robot=robot/\n[Documents]\nAdresse=documents/\n[Options]\nDistribution=hd\nValeur=0\n"
                             "Curseur=False\n";
}

Base_Temporaire::~Base_Temporaire() {
    std::error_code ec;
    std::filesystem::remove_all(dossier_, ec);
}

Emplacements_Base Lieux_Construits(const std::filesystem::path& dossier) {
    return {(dossier / "data" / "kestrane.sqlite").string(), (dossier / "data").string() + "/"};
}

std::unique_ptr<Base_Connaissance> Charge_Ou_Echoue(const Emplacements_Base& lieux) {
    Chargement c = Charge_Base(lieux, nullptr);
    if (!c.Base)
        throw std::runtime_error(lieux.Chemin_Base + " does not load: " +
                                 (c.Echec ? c.Echec->Message + " " + c.Echec->Detail : std::string()));
    return std::move(c.Base);
}

Copie_Base::Copie_Base(const std::string& nom) : dossier_(Dossier_Temporaire("kestrane-" + nom)) {
    std::filesystem::copy(std::filesystem::path(KESTRANE_BASES) / nom, dossier_,
                          std::filesystem::copy_options::recursive);
}

Copie_Base::~Copie_Base() {
    std::error_code ec;
    std::filesystem::remove_all(dossier_, ec);
}

void Copie_Base::Execute_SQL(const std::string& sql) const {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(Chemin_Base().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + Chemin_Base());
    }
    // One transaction without waiting for the disk: a copy is thrown away after the test.
    const std::string script = "PRAGMA synchronous = OFF; BEGIN;\n" + sql + ";\nCOMMIT;";
    char* error = nullptr;
    const int rc = sqlite3_exec(db, script.c_str(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    if (rc != SQLITE_OK) throw std::runtime_error(Chemin_Base() + ": " + message + "\n" + sql);
}

Description_Base Base_Synthetique(int nb_esp, int nb_caracteres, int etats_par_caractere, unsigned seed) {
    std::mt19937 alea(seed);
    Description_Base d;
    const int nb_etats = nb_caracteres * etats_par_caractere;
    d.sql = Parametres_SQL({{"Nb_Esp", std::to_string(nb_esp)},
                            {"Nb_Etats_Desc", std::to_string(nb_etats)},
                            {"Nb_Cadre", std::to_string(nb_caracteres)},
                            {"Nb_Robot", "0"},
                            {"Nb_Couleurs", "0"},
                            {"Nb_Contraintes", "0"}});
    std::string& sql = d.sql;
    for (int s = 0; s < nb_esp; ++s) {
        char nom[32];
        std::snprintf(nom, sizeof nom, "Species %06d", s);
        char code[8];
        std::snprintf(code, sizeof code, "S%04d", s % 10000);
        sql += "INSERT INTO Flore VALUES ('" + std::string(nom) + "', '" + code + "', 'Family " +
               std::to_string(s % 50) + "', '');\n";
    }
    for (int c = 0; c < nb_caracteres; ++c) {
        char objet[32];
        std::snprintf(objet, sizeof objet, "Char%05d", c);
        sql += "INSERT INTO Objets_Fic VALUES ('" + std::string(objet) + "', " + std::to_string(c) + ", " +
               std::to_string(c * etats_par_caractere) + ", " + std::to_string(etats_par_caractere) + ", 1, " +
               std::to_string(etats_par_caractere) + ", " + std::to_string(c) + ", 'p" + std::to_string(c) +
               "', 'Character " + std::to_string(c) + "', 1);\n";
        for (int e = 0; e < etats_par_caractere; ++e) {
            const int num = c * etats_par_caractere + e;
            sql += "INSERT INTO Caracteres VALUES (" + std::to_string(num) + ", '" + objet + "_" + std::to_string(e) +
                   "', 'State " + std::to_string(num) + "');\n";
        }
    }
    d.poids.resize(static_cast<size_t>(nb_etats));
    for (auto& p : d.poids) p = static_cast<int16_t>(1 + alea() % 3);
    d.matrice.resize(static_cast<size_t>(nb_esp) * static_cast<size_t>(nb_etats));
    for (auto& v : d.matrice) v = static_cast<int16_t>(alea() % 3 == 0 ? 1 : 0);
    return d;
}

}  // namespace kestrane::test
