#pragma once
// Helpers of the builder tests: a temporary folder, copies of the small sources to break, text
// edits of their files, loading what a build wrote, the program's ranking, running the tool.

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Base_Connaissance.h"

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
// Replaces the first occurrence of `avant` by `apres`; throws when there is none.
void Remplace(const std::filesystem::path& p, const std::string& avant, const std::string& apres);

// The base a build wrote into `sortie` (kestrane.ini and data/), loaded without a palette; null,
// and a test failure, when it does not load.
std::unique_ptr<Base_Connaissance> Charge(const std::filesystem::path& sortie);

struct Rang {
    std::string Espece;
    int Pourcent;
};
// The species as the program ranks them for the chosen states (by ID_CARAC), with their percentages.
std::vector<Rang> Classe(const Base_Connaissance& base, const std::vector<std::string>& reponses);

// One field of each row, in order: a table compared as one list.
template <typename Ligne, typename Champ>
std::vector<Champ> Colonne(const std::vector<Ligne>& lignes, Champ Ligne::*champ) {
    std::vector<Champ> out;
    for (const Ligne& l : lignes) out.push_back(l.*champ);
    return out;
}

// Runs a command line; returns its exit status and what it printed on both streams.
std::pair<int, std::string> Execute(const std::string& commande);

}  // namespace kestrane::kb::test
