// Loading synthetic bases (kTailles) against their targets: under 1 s of CPU time for the first load,
// measured alone (its wall time beside it also counts other work on a shared machine), and a peak
// resident memory beyond the one before the load of at most the matrix and a margin, so that the
// matrix is held once. The benchmark table then gives the mean of repeated loads.

#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "Base_Test.h"
#include "Chargeur_Base.h"

namespace {

struct Taille {
    int especes, caracteres, etats_par_caractere;
    double marge_mo;  // allowed peak beyond the matrix
};

// 10,000 species x 4,000 states; 100,000 species x 1,000 states.
constexpr Taille kTailles[] = {{10000, 1000, 4, 50.0}, {100000, 250, 4, 60.0}};

kestrane::test::Base_Temporaire& Base(size_t i) {
    static std::unique_ptr<kestrane::test::Base_Temporaire> bases[std::size(kTailles)];
    const Taille& t = kTailles[i];
    if (!bases[i])
        bases[i] = std::make_unique<kestrane::test::Base_Temporaire>(
            kestrane::test::Base_Synthetique(t.especes, t.caracteres, t.etats_par_caractere, 7));
    return *bases[i];
}

long Kilo_Octets(const std::string& champ) {
    std::ifstream status("/proc/self/status");
    for (std::string ligne; std::getline(status, ligne);)
        if (ligne.rfind(champ, 0) == 0) return std::stol(ligne.substr(champ.size()));
    return -1;
}

// CPU time of the process (user and system: the page faults of filling the matrix count).
double Cpu_Secondes() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// One load of base i, built before, with its time and peak memory (the high-water mark reset
// before); false when it did not load.
bool Mesure(size_t i) {
    const Taille& t = kTailles[i];
    const auto lieux = Base(i).Lieux();
    std::ofstream("/proc/self/clear_refs") << "5";
    const long avant = Kilo_Octets("VmRSS:");
    const double cpu_debut = Cpu_Secondes();
    const auto debut = std::chrono::steady_clock::now();
    auto chargement = kestrane::Charge_Base(lieux, nullptr);
    const double secondes = std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
    const double cpu = Cpu_Secondes() - cpu_debut;
    const double pic_mo = static_cast<double>(Kilo_Octets("VmHWM:") - avant) / 1024.0;
    if (!chargement.Base) {
        std::fprintf(stderr, "the synthetic base did not load: %s\n", chargement.Echec->Message.c_str());
        return false;
    }
    const double matrice_mo = static_cast<double>(chargement.Base->Matrice.Data().size() * sizeof(int16_t)) / 1048576.0;
    std::printf("%d species x %d states:\n  load: %.0f ms CPU, %.0f ms wall (target < 1000 ms) %s\n", t.especes,
                t.caracteres * t.etats_par_caractere, cpu * 1000.0, secondes * 1000.0, cpu < 1.0 ? "met" : "MISSED");
    std::printf("  peak memory of the load: %.1f MB for a matrix of %.1f MB (target <= matrix + %.0f MB) %s\n",
                pic_mo, matrice_mo, t.marge_mo, pic_mo <= matrice_mo + t.marge_mo ? "met" : "MISSED");
    return true;
}

void BM_Charge_Base(benchmark::State& state) {
    auto& base = Base(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        auto chargement = kestrane::Charge_Base(base.Lieux(), nullptr);
        if (!chargement.Base) state.SkipWithError("the base did not load");
        benchmark::DoNotOptimize(chargement.Base->Matrice.Data().data());
    }
    state.SetLabel(std::to_string(kTailles[state.range(0)].especes) + " species");
}
BENCHMARK(BM_Charge_Base)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    for (size_t i = 0; i < std::size(kTailles); ++i)
        if (!Mesure(i)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
