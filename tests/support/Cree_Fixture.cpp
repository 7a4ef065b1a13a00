// Builds a test knowledge base from a readable folder: base.sql (rows; its first line
// "-- conditions: N" gives the number of condition columns), poids.txt (the weights in state
// order) and matrice.txt (one line per species, "name: values in state order"). Writes
// base.sqlite, POIDS.DAT, MATRICE.DAT and kestrane.ini into the output folder, and every SVG
// drawing of the folder as a metafile at the same place (its size taken from the SVG).

#include <QGuiApplication>
#include <QSvgRenderer>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "Base_Test.h"
#include "Conversion_Svg.h"
#include "Conversions.h"
#include "Fichiers_Donnees.h"

namespace {

std::string Lit_Tout(const std::filesystem::path& chemin) {
    std::ifstream in(chemin);
    if (!in) throw std::runtime_error(chemin.string() + ": cannot be read");
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::vector<int16_t> Nombres(const std::string& texte) {
    std::vector<int16_t> valeurs;
    std::istringstream lignes(texte);
    for (std::string ligne; std::getline(lignes, ligne);) {
        if (ligne.empty() || ligne[0] == '#') continue;
        std::istringstream mots(ligne);
        for (int v; mots >> v;) valeurs.push_back(static_cast<int16_t>(v));
    }
    return valeurs;
}

// The species in the order the program numbers them: Flore by its key.
std::vector<std::string> Especes(const std::string& base) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(base.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT Espece FROM Flore ORDER BY Espece COLLATE NOCASE, rowid", -1, &stmt, nullptr);
    std::vector<std::string> noms;
    while (sqlite3_step(stmt) == SQLITE_ROW) noms.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return noms;
}

void Convertit_Dessins(const std::filesystem::path& source, const std::filesystem::path& sortie) {
    for (const auto& entree : std::filesystem::recursive_directory_iterator(source)) {
        if (entree.path().extension() != ".svg") continue;
        const auto relatif = std::filesystem::relative(entree.path(), source);
        auto cible = sortie / relatif;
        cible.replace_extension(".wmf");
        std::filesystem::create_directories(cible.parent_path());
        QSvgRenderer svg(QString::fromStdString(entree.path().string()));
        const QSize taille = svg.defaultSize();
        const kestrane::Status s =
            kestrane::Convertit_Svg_En_Wmf(entree.path().string(), cible.string(), taille.width(), taille.height());
        if (!s) throw std::runtime_error(s.message());
    }
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::cerr << "usage: cree_fixture SOURCE OUT\n";
        return 2;
    }
    try {
        const std::filesystem::path source(argv[1]);
        const std::filesystem::path sortie(argv[2]);
        std::filesystem::create_directories(sortie);
        const std::string sql = Lit_Tout(source / "base.sql");
        const int conditions = static_cast<int>(kestrane::Leading_Number(sql.substr(sql.find(':') + 1)));
        const std::string base = (sortie / "base.sqlite").string();
        kestrane::test::Cree_Base_SQLite(base, conditions, sql, {"English", "French", "Spanish"});

        const auto poids = Nombres(Lit_Tout(source / "poids.txt"));
        std::map<std::string, std::vector<int16_t>> lignes;
        std::istringstream matrice(Lit_Tout(source / "matrice.txt"));
        for (std::string ligne; std::getline(matrice, ligne);) {
            const auto deux_points = ligne.find(':');
            if (ligne.empty() || ligne[0] == '#' || deux_points == std::string::npos) continue;
            lignes[ligne.substr(0, deux_points)] = Nombres(ligne.substr(deux_points + 1));
        }
        const auto especes = Especes(base);
        std::vector<int16_t> valeurs(especes.size() * poids.size(), 0);
        for (size_t s = 0; s < especes.size(); ++s) {
            const auto it = lignes.find(especes[s]);
            if (it == lignes.end() || it->second.size() != poids.size()) {
                throw std::runtime_error("matrice.txt: no line of " + std::to_string(poids.size()) + " values for " + especes[s]);
            }
            for (size_t e = 0; e < poids.size(); ++e) valeurs[s + especes.size() * e] = it->second[e];
        }
        Convertit_Dessins(source, sortie);
        kestrane::Ecrit_Tableau_16((sortie / "POIDS.DAT").string(), poids);
        kestrane::Ecrit_Tableau_16((sortie / "MATRICE.DAT").string(), valeurs);
        kestrane::test::Ecrit_Reglages_Machine(sortie / "kestrane.ini");
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
