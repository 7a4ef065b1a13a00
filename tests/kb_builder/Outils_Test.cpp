#include "Outils_Test.h"

#include <sys/wait.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace kestrane::kb::test {

Dossier_Test::Dossier_Test(const std::string& prefixe) {
    std::random_device alea;
    for (;;) {
        chemin_ = fs::temp_directory_path() / (prefixe + "-" + std::to_string(alea() % 100000000));
        if (fs::create_directory(chemin_))
            break;
    }
}

Dossier_Test::~Dossier_Test() {
    std::error_code ec;
    fs::remove_all(chemin_, ec);
}

void Copie_Source(const std::string& nom, const fs::path& cible) {
    fs::copy(fs::path(KB_SOURCES) / nom, cible,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

std::string Lit_Texte(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream t;
    t << in.rdbuf();
    return t.str();
}

void Ecrit_Texte(const fs::path& p, const std::string& texte) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << texte;
}

void Remplace(const fs::path& p, const std::string& avant, const std::string& apres) {
    std::string t = Lit_Texte(p);
    const size_t i = t.find(avant);
    if (i == std::string::npos)
        throw std::runtime_error(p.string() + " does not hold " + avant);
    t.replace(i, avant.size(), apres);
    Ecrit_Texte(p, t);
}

std::vector<Rang> Classe(const Base_Connaissance& base, const std::vector<std::string>& reponses) {
    std::vector<int> etats;
    for (const auto& id : reponses) {
        auto e = base.Etat_Par_Identifiant(id);
        if (!e)
            throw std::runtime_error("unknown state " + id);
        etats.push_back(*e);
    }
    long total = 0;
    for (int e : etats) total += base.Poids[static_cast<size_t>(e)];
    std::vector<std::pair<long, int>> scores;
    for (int s = 0; s < base.Nb_Esp; ++s) {
        long score = 0;
        for (int e : etats)
            score += static_cast<long>(base.Poids[static_cast<size_t>(e)]) * base.Matrice(s, e);
        scores.push_back({score, s});
    }
    std::stable_sort(scores.begin(), scores.end(), [](auto& a, auto& b) { return a.first > b.first; });
    std::vector<Rang> out;
    for (auto [score, s] : scores) {
        const int pourcent = total == 0 ? 0
                                        : static_cast<int>(std::nearbyint(static_cast<double>(score) * 100.0 /
                                                                          static_cast<double>(total)));
        out.push_back({base.Nom_Esp[static_cast<size_t>(s)], pourcent});
    }
    return out;
}

std::pair<int, std::string> Execute(const std::string& commande) {
    std::string sortie;
    FILE* f = popen((commande + " 2>&1").c_str(), "r");
    if (!f)
        return {-1, ""};
    std::array<char, 4096> tampon{};
    size_t n = 0;
    while ((n = fread(tampon.data(), 1, tampon.size(), f)) > 0) sortie.append(tampon.data(), n);
    const int statut = pclose(f);
    return {WIFEXITED(statut) ? WEXITSTATUS(statut) : -1, sortie};
}

}  // namespace kestrane::kb::test
