// Loading a synthetic base of 10,000 species and 4,000 states (1,000 characters of 4 states).
// Target: the whole load under 1 s, the matrix held once, peak memory at most the matrix + 50 MB.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "Base_Test.h"
#include "Chargeur_Base.h"

namespace {

constexpr int kEspeces = 10000;
constexpr int kCaracteres = 1000;
constexpr int kEtatsParCaractere = 4;

kestrane::test::Base_Temporaire& Base() {
    static auto base = std::make_unique<kestrane::test::Base_Temporaire>(
        kestrane::test::Base_Synthetique(kEspeces, kCaracteres, kEtatsParCaractere, 7));
    return *base;
}

long Kilo_Octets(const char* champ) {
    std::ifstream status("/proc/self/status");
    for (std::string ligne; std::getline(status, ligne);) {
        if (ligne.rfind(champ, 0) == 0) return std::stol(ligne.substr(std::string(champ).size()));
    }
    return -1;
}

void BM_Charge_Base(benchmark::State& state) {
    auto& base = Base();
    for (auto _ : state) {
        auto chargement = kestrane::Charge_Base(base.Lieux(), nullptr);
        if (!chargement.Base) state.SkipWithError("the base did not load");
        benchmark::DoNotOptimize(chargement.Base->Matrice.Data().data());
    }
}
BENCHMARK(BM_Charge_Base)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Base();  // built before any measure

    // Peak memory of one load: reset the high-water mark, load, read it back.
    std::ofstream("/proc/self/clear_refs") << "5";
    const long avant = Kilo_Octets("VmRSS:");
    const auto debut = std::chrono::steady_clock::now();
    auto chargement = kestrane::Charge_Base(Base().Lieux(), nullptr);
    const double secondes = std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
    const long pic = Kilo_Octets("VmHWM:");
    if (!chargement.Base) {
        std::fprintf(stderr, "the synthetic base did not load: %s\n", chargement.Echec->Message.c_str());
        return 1;
    }
    const double matrice_mo = static_cast<double>(chargement.Base->Matrice.Data().size() * sizeof(int16_t)) / 1048576.0;
    const double pic_mo = static_cast<double>(pic - avant) / 1024.0;
    std::printf("load: %.0f ms (target < 1000 ms)\n", secondes * 1000.0);
    std::printf("peak memory of the load: %.1f MB for a matrix of %.1f MB (target <= matrix + 50 MB = %.1f MB)\n",
                pic_mo, matrice_mo, matrice_mo + 50.0);
    chargement = {};

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
