// The measured characters of a readable source: mesures.csv (Objet, Unite, Limites) gives each
// measured character's unit and the cuts between its classes, etendues.csv (Code, Objet, Bas,
// Haut) each species' range. Both are optional.

#include <cmath>
#include <filesystem>
#include <set>

#include "Mesures_Objets.h"
#include "Source_Flore.h"
#include "Table_Csv.h"

namespace fs = std::filesystem;

namespace kestrane::kb {
namespace {

std::optional<Table_Csv> Ouvre_Table(const std::string& dossier, const std::string& nom,
                                     const std::vector<std::string>& colonnes,
                                     std::vector<std::string>& problemes) {
    const fs::path chemin = fs::path(dossier) / nom;
    if (!fs::exists(chemin))
        return std::nullopt;
    auto t = Table_Csv::Lit(chemin.string(), nom);
    if (!t) {
        problemes.push_back(t.status().message());
        return std::nullopt;
    }
    bool complete = true;
    for (const auto& c : colonnes)
        if (!t->Colonne(c)) {
            problemes.push_back(nom + ":1: missing column '" + c + "'");
            complete = false;
        }
    if (!complete)
        return std::nullopt;
    return std::move(t).value();
}

std::optional<double> Nombre(const std::string& s) {
    return Lit_Nombre(s);
}

}  // namespace

void Lit_Mesures_Source(Base_Source& b, std::vector<std::string>& problemes) {
    auto mesures = Ouvre_Table(b.Dossier, "mesures.csv", {"Objet", "Unite", "Limites"}, problemes);
    if (!mesures)
        return;
    auto champ = [](const Table_Csv& t, const Ligne_Csv& l, const char* c) { return l.Champs[*t.Colonne(c)]; };
    for (const auto& ligne : mesures->Lignes()) {
        const std::string lieu = mesures->Lieu(ligne) + ": ";
        const std::string objet = champ(*mesures, ligne, "Objet");
        const int c = b.Caractere(objet);
        if (c < 0) {
            problemes.push_back(lieu + "Objet '" + objet + "' names no character");
            continue;
        }
        Caractere_Source& car = b.Caracteres[static_cast<size_t>(c)];
        const auto limites = Lit_Limites(champ(*mesures, ligne, "Limites"));
        if (car.Mesure)
            problemes.push_back(lieu + "character '" + objet + "' is measured twice");
        else if (!limites || limites->size() + 1 != car.Etats.size())
            problemes.push_back(lieu + "Limites must be " + std::to_string(car.Etats.size() - 1) +
                                " increasing numbers separated by ';', one fewer than the states of '" +
                                objet + "'");
        else {
            car.Mesure = true;
            car.Unite = champ(*mesures, ligne, "Unite");
            car.Limites = *limites;
        }
    }
    auto etendues = Ouvre_Table(b.Dossier, "etendues.csv", {"Code", "Objet", "Bas", "Haut"}, problemes);
    if (!etendues)
        return;
    for (const auto& ligne : etendues->Lignes()) {
        const std::string lieu = etendues->Lieu(ligne) + ": ";
        const std::string code = champ(*etendues, ligne, "Code"), objet = champ(*etendues, ligne, "Objet");
        Espece_Source* espece = nullptr;
        for (auto& e : b.Especes)
            if (Plie(e.Code) == Plie(code))
                espece = &e;
        const int c = b.Caractere(objet);
        const auto bas = Nombre(champ(*etendues, ligne, "Bas"));
        const std::string texte_haut = champ(*etendues, ligne, "Haut");
        const auto haut = texte_haut.empty() ? bas : Nombre(texte_haut);
        if (espece == nullptr)
            problemes.push_back(lieu + "Code '" + code + "' names no species");
        else if (c < 0 || !b.Caracteres[static_cast<size_t>(c)].Mesure)
            problemes.push_back(lieu + "Objet '" + objet + "' is no character of mesures.csv");
        else if (!bas || !haut)
            problemes.push_back(lieu + "Bas and Haut must be numbers (Haut empty for a single value)");
        else if (*bas > *haut)
            problemes.push_back(lieu + "Bas " + Texte_Nombre(*bas) + " exceeds Haut " + Texte_Nombre(*haut));
        else if (!espece->Etendues.emplace(c, Etendue{*bas, *haut}).second)
            problemes.push_back(lieu + "species '" + code + "' has a second range of '" + objet + "'");
    }
}

}  // namespace kestrane::kb
