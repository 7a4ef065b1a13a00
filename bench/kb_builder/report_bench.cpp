// The key report on a synthetic base of 10,000 species x 4,000 states (1,000 characters of 4
// states), against its target: under two minutes of wall time on the machine's threads. Prints
// the time of each stage, the CPU time and the peak resident memory.
//
//   report_bench             build the base in a temporary folder, report on it, print the verdict
//   report_bench --write DIR build the base into DIR (kestrane.ini at its top) and stop, so that
//                            `kestrane-kb report DIR ...` can be timed as a command

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "Base_Test.h"
#include "Chargeur_Base.h"
#include "Rapport_Cle.h"

namespace {

constexpr int Especes = 10000, Caracteres = 1000, Etats_Par_Caractere = 4;
constexpr double Cible_Secondes = 120.0;

}  // namespace

int main(int argc, char** argv) {
    using namespace kestrane;
    test::Base_Temporaire base(test::Base_Synthetique(Especes, Caracteres, Etats_Par_Caractere, 11));
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0) {
        std::filesystem::copy(base.Dossier(), argv[2], std::filesystem::copy_options::recursive);
        std::printf("report_bench: a base of %d species and %d characters in %s\n", Especes, Caracteres,
                    argv[2]);
        return 0;
    }
    Chargement c = Charge_Base(base.Lieux(), nullptr);
    if (!c.Base) {
        std::fprintf(stderr, "synthetic base does not load: %s\n", c.Echec ? c.Echec->Detail.c_str() : "");
        return 1;
    }
    const auto debut = std::chrono::steady_clock::now();
    auto etape_debut = debut;
    std::string etape;
    const kb::Rapport_Cle r = kb::Calcule_Rapport(*c.Base, {}, [&](const std::string& e, size_t, size_t) {
        if (e == etape)
            return;
        const auto maintenant = std::chrono::steady_clock::now();
        if (!etape.empty())
            std::printf("  %-6s %7.1f s\n", etape.c_str(),
                        std::chrono::duration<double>(maintenant - etape_debut).count());
        etape = e;
        etape_debut = maintenant;
    });
    const auto fin = std::chrono::steady_clock::now();
    std::printf("  %-6s %7.1f s\n", etape.c_str(), std::chrono::duration<double>(fin - etape_debut).count());
    const double secondes = std::chrono::duration<double>(fin - debut).count();
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    std::printf(
        "report of %d species (%zu walked per strategy): %.1f s wall, %.1f s CPU, peak %ld MB; "
        "mean questions %.2f; target < %.0f s: %s\n",
        Especes, r.Nb_Parcourues, secondes,
        static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
            (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6,
        u.ru_maxrss / 1024, r.Strategies.empty() ? 0.0 : r.Strategies[0].Moyenne, Cible_Secondes,
        secondes < Cible_Secondes ? "met" : "MISSED");
    return secondes < Cible_Secondes ? 0 : 1;
}
