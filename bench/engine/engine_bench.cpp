// The engine's speed on two synthetic bases with 20 answers, against its targets:
//   10,000 species x 4,000 states (1,000 characters of 4 states):
//     refresh (scores, ranking, percentages, list lines)  < 2 ms, and >= 50 x the literal algorithm
//     discriminant search with all species tied, either strategy   < 30 ms
//     dependency cascade over 1,000 Descendance rows      < 1 ms
//   100,000 species x 1,000 states (250 characters of 4 states):
//     refresh                                             < 5 ms
//     discriminant search with all species tied, either strategy   < 60 ms
// Times are CPU times per iteration as the benchmark library measures them (the measuring
// thread's); the verdicts are printed after its table.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "Classement_Litteral.h"
#include "Cle_Test.h"

namespace {

using namespace kestrane;

constexpr int Etats_Par_Caractere = 4;
constexpr int Nb_Reponses = 20;

struct Taille {
    int especes, caracteres;
};
constexpr Taille kTailles[] = {{10000, 1000}, {100000, 250}};

struct Banc {
    explicit Banc(const Taille& t) {
        dossier = std::make_unique<test::Base_Temporaire>(
            test::Base_Synthetique(t.especes, t.caracteres, Etats_Par_Caractere, 1234));
        Chargement c = Charge_Base(dossier->Lieux(), nullptr);
        if (!c.Base) {
            std::fprintf(stderr, "synthetic base does not load: %s\n",
                         c.Echec ? c.Echec->Detail.c_str() : "");
            std::exit(1);
        }
        base = std::move(c.Base);
        // 20 answers on characters spread over the base.
        std::mt19937 alea(99);
        etats.assign(static_cast<size_t>(base->Nb_Etats_Desc), 0);
        for (int r = 0; r < Nb_Reponses; ++r) {
            const int car = r * (t.caracteres / Nb_Reponses) + 7;
            etats[static_cast<size_t>(car * Etats_Par_Caractere +
                                      static_cast<int>(alea() % Etats_Par_Caractere))] = 1;
        }
    }
    std::unique_ptr<test::Base_Temporaire> dossier;
    std::unique_ptr<Base_Connaissance> base;
    std::vector<int16_t> etats;
};

Banc& Le_Banc(int64_t taille) {
    static std::unique_ptr<Banc> bancs[std::size(kTailles)];
    auto& banc = bancs[static_cast<size_t>(taille)];
    if (!banc)
        banc = std::make_unique<Banc>(kTailles[taille]);
    return *banc;
}

// range(0): the base; range(1): 1 for the literal algorithm.
void BM_Actualisation(benchmark::State& state) {
    Banc& b = Le_Banc(state.range(0));
    Calcul_Classement calcul(*b.base);
    Resultats_Classement r = Resultats_Classement::Initial(b.base->Nb_Esp);
    Liste_Especes liste;
    for (auto _ : state) {
        state.range(1) ? test::Classement_Litteral(*b.base, b.etats, r) : calcul.Calcule(b.etats, r);
        Remplit_Liste(*b.base, r, 0, "species at", liste);
        benchmark::DoNotOptimize(liste.Lignes.data());
    }
}
BENCHMARK(BM_Actualisation)->Args({0, 0})->Args({1, 0})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Actualisation)->Args({0, 1})->Iterations(5)->Unit(benchmark::kMillisecond);

// range(0): the base; range(1): the strategy.
void BM_Recherche_Discriminant(benchmark::State& state) {
    Banc& b = Le_Banc(state.range(0));
    const auto strategie = static_cast<Strategie_Recherche>(state.range(1));
    test::Fenetre_Enregistreuse fenetre;  // answers no to retrying skipped characters
    fenetre.Reponse_Oui = false;
    Reglages_Moteur reglages;
    reglages.Strategie = strategie;
    Identification_Courante id(*b.base, reglages, fenetre, fenetre);
    id.Demarre();  // no answer: every species tied at 0 %
    if (id.Nb_Esp_Max() != b.base->Nb_Esp)
        state.SkipWithError("species are not all tied");
    for (auto _ : state) benchmark::DoNotOptimize(id.Cherche_Discriminant());
}
BENCHMARK(BM_Recherche_Discriminant)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

// 1,000 characters in a chain of dependencies: state 0 of character c commands character c + 1,
// and the last one character 0, a cycle the cascade must cut.
void BM_Cascade_Descendance(benchmark::State& state) {
    test::Cle_Memoire cle{std::vector<int>(1000, Etats_Par_Caractere), {}, {}, {}};
    for (int c = 0; c < 1000; ++c) cle.dependances.push_back({(c + 1) % 1000, c, 0});
    const auto chaine = test::Construit(cle);
    Graphe_Descendance graphe(*chaine);
    std::vector<int16_t> etats(static_cast<size_t>(chaine->Nb_Etats_Desc), 1);
    for (auto _ : state) {
        state.PauseTiming();
        std::fill(etats.begin(), etats.end(), 1);
        state.ResumeTiming();
        graphe.Nettoie_Descendance(0, etats);  // reaches all 1,000 rows
        benchmark::DoNotOptimize(etats.data());
    }
    if (etats[4] != 0 || etats[3996] != 0)
        state.SkipWithError("the cascade did not reach the whole chain");
}
BENCHMARK(BM_Cascade_Descendance)->Unit(benchmark::kMicrosecond);

// The library's table, and each run's CPU time per iteration in milliseconds by name.
class Rapport : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            ms[r.benchmark_name()] = r.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1e3;
    }
    std::map<std::string, double> ms;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Rapport rapport;
    benchmark::RunSpecifiedBenchmarks(&rapport);
    benchmark::Shutdown();
    const auto& ms = rapport.ms;
    // Each target: what it measures, the run, the most CPU milliseconds it may take.
    const struct { const char* quoi; const char* run; double cible_ms; } cibles[] = {
        {"refresh, 10,000 species", "BM_Actualisation/0/0", 2.0},
        {"refresh, 100,000 species", "BM_Actualisation/1/0", 5.0},
        {"search, 10,000 species, standard", "BM_Recherche_Discriminant/0/0", 30.0},
        {"search, 10,000 species, applicable", "BM_Recherche_Discriminant/0/1", 30.0},
        {"search, 100,000 species, standard", "BM_Recherche_Discriminant/1/0", 60.0},
        {"search, 100,000 species, applicable", "BM_Recherche_Discriminant/1/1", 60.0},
        {"cascade over 1,000 rows", "BM_Cascade_Descendance", 1.0},
    };
    std::printf("\nEngine with %d answers:\n", Nb_Reponses);
    for (const auto& c : cibles) {
        if (const auto m = ms.find(c.run); m != ms.end())
            std::printf("  %-36s %9.3f ms CPU   target < %g ms %s\n", c.quoi, m->second, c.cible_ms,
                        m->second < c.cible_ms ? "met" : "MISSED");
    }
    if (ms.count("BM_Actualisation/0/0") && ms.count("BM_Actualisation/0/1/iterations:5")) {
        const double gain = ms.at("BM_Actualisation/0/1/iterations:5") / ms.at("BM_Actualisation/0/0");
        std::printf("  %-36s speed-up %.0fx, target >= 50x %s\n", "refresh against the literal algorithm", gain,
                    gain >= 50.0 ? "met" : "MISSED");
    }
    return 0;
}
