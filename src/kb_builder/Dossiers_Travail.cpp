#include "Dossiers_Travail.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <vector>

#include "Dossier_Provisoire.h"

namespace fs = std::filesystem;

namespace kestrane::kb {

namespace {

bool Genre_Connu(const std::string& g) {
    return g == "build" || g == "sdd" || g == "old";
}

bool Chiffres(const std::string& s, bool hexa) {
    if (s.empty() || s.size() > 16)
        return false;
    for (char c : s)
        if (!((c >= '0' && c <= '9') || (hexa && c >= 'a' && c <= 'f')))
            return false;
    return true;
}

bool Vivant(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

// Deals with the work folders in `dossier` whose process `garde` accepts.
template <typename F>
int Retire_Si(const fs::path& dossier, F&& garde) {
    std::error_code ec;
    std::vector<std::pair<fs::path, Nom_Travail>> trouves;
    for (fs::directory_iterator it(dossier, ec), fin; !ec && it != fin; it.increment(ec)) {
        Nom_Travail n = Lit_Nom_Travail(it->path().filename().string());
        std::error_code ec2;
        if (n.Pid > 0 && garde(n.Pid) && it->is_directory(ec2) && !it->is_symlink(ec2))
            trouves.emplace_back(it->path(), std::move(n));
    }
    int traites = 0;
    for (const auto& [chemin, n] : trouves) {
        std::error_code ec2;
        const fs::path sortie = dossier / n.Sortie;
        if (n.Genre == "old" && !fs::exists(fs::symlink_status(sortie, ec2)))
            fs::rename(chemin, sortie, ec2);  // killed between moving the earlier base aside and in
        else
            fs::remove_all(chemin, ec2);
        traites += ec2 ? 0 : 1;
    }
    return traites;
}

}  // namespace

std::string Nom_Dossier_Travail(const fs::path& sortie, const std::string& genre) {
    char marque[16];
    std::snprintf(marque, sizeof marque, "%08x", static_cast<unsigned>(std::random_device{}()));
    return "." + sortie.filename().string() + "." + genre + "-" + std::to_string(::getpid()) + "-" + marque;
}

Nom_Travail Lit_Nom_Travail(const std::string& nom) {
    // ".OUT.GENRE-PID-MARK": OUT may itself hold dots and dashes, so the name is read from its end.
    if (nom.size() < 2 || nom[0] != '.')
        return {};
    const size_t tiret_marque = nom.rfind('-');
    if (tiret_marque == std::string::npos || tiret_marque == 0 ||
        !Chiffres(nom.substr(tiret_marque + 1), true))
        return {};
    const size_t tiret_pid = nom.rfind('-', tiret_marque - 1);
    if (tiret_pid == std::string::npos)
        return {};
    const std::string pid = nom.substr(tiret_pid + 1, tiret_marque - tiret_pid - 1);
    const size_t point = nom.rfind('.', tiret_pid);
    if (point == std::string::npos || point <= 1 || !Chiffres(pid, false))
        return {};
    Nom_Travail n{std::stol(pid), nom.substr(1, point - 1), nom.substr(point + 1, tiret_pid - point - 1)};
    return Genre_Connu(n.Genre) ? n : Nom_Travail{};
}

int Retire_Dossiers_Abandonnes(const fs::path& dossier) {
    return Retire_Si(dossier, [](long pid) { return !Vivant(pid); });
}

void Retire_Dossiers_Du_Processus(const fs::path& dossier, long pid) {
    Retire_Si(dossier, [pid](long p) { return p == pid; });
}

Dossier_Provisoire::Dossier_Provisoire(const fs::path& sortie, const std::string& genre)
    : chemin_(sortie.parent_path() / Nom_Dossier_Travail(sortie, genre)) {}

}  // namespace kestrane::kb
