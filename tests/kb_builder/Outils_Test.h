#pragma once
// Helpers of the builder tests: copies of the small sources to damage, text edits of their files,
// and the ranking of species for a set of answers, by the program's own ranking.

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "Base_Connaissance.h"
#include "Chargeur_Base.h"

namespace kestrane::kb::test {

// A temporary folder removed with the object.
class Dossier_Test : public QTemporaryDir {
  public:
    explicit Dossier_Test(const std::string& prefixe)
        : QTemporaryDir(QDir::tempPath() + "/" + QString::fromStdString(prefixe) + "-XXXXXX") {}
    std::filesystem::path Chemin() const { return path().toStdString(); }
    std::string operator/(const std::string& nom) const { return (Chemin() / nom).string(); }
};

// Copies the named small source (tests/bases/<nom>) into `cible`.
void Copie_Source(const std::string& nom, const std::filesystem::path& cible);

std::string Lit_Texte(const std::filesystem::path& p);
void Ecrit_Texte(const std::filesystem::path& p, const std::string& texte);
// Replaces the first occurrence of `avant` (which must exist) by `apres`.
void Remplace(const std::filesystem::path& p, const std::string& avant, const std::string& apres);

struct Rang {
    std::string Espece;
    int Pourcent = 0;
};

// The species as the program ranks them for the chosen states (by ID_CARAC), with their
// percentages.
std::vector<Rang> Classe(const Base_Connaissance& base, const std::vector<std::string>& reponses);

// One field of each row, in order: a table compared as one list.
template <typename Ligne, typename Champ>
std::vector<Champ> Colonne(const std::vector<Ligne>& lignes, Champ Ligne::*champ) {
    std::vector<Champ> out;
    for (const Ligne& l : lignes) out.push_back(l.*champ);
    return out;
}

// The base a build wrote into `sortie` (its data/ folder), loaded without a palette.
Chargement Charge_Sortie(const std::filesystem::path& sortie);

// Runs a command line; returns its exit status and what it printed on both streams.
std::pair<int, std::string> Execute(const std::string& commande);

}  // namespace kestrane::kb::test
