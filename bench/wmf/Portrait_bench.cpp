// A portrait of 10 layers of about 2,000 records each, every file parsed once, painted at
// 1024 × 768 into a QImage. Target: under 16 ms per portrait.
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "Joueur_Metafichier.h"
#include "Metafichier.h"
#include "Peripherique_Wmf.h"
#include "Rendu_Wmf.h"

namespace {

using namespace kestrane::wmf;

constexpr int Nb_Couches = 10;
constexpr int Enregistrements_Par_Couche = 2000;
constexpr double Cible_Ms = 16.0;

// One layer drawn as the project's tools draw: outlined polygons of changing colours, some
// curves, in the 2400 × 1800 reference frame of a portrait.
QByteArray Dessine_Couche(int numero, int nb_formes) {
    Peripherique_Wmf peripherique(2400, 1800);
    QPainter p(&peripherique);
    uint32_t graine = 977u * static_cast<uint32_t>(numero + 1);
    auto hasard = [&graine](int n) {
        graine = graine * 1664525u + 1013904223u;
        return static_cast<int>((graine >> 8) % static_cast<uint32_t>(n));
    };
    const QRect zone(200 * (numero % 5), 150 * (numero % 4), 1400, 1200);
    for (int forme = 0; forme < nb_formes; ++forme) {
        const QPoint centre(zone.left() + hasard(zone.width()), zone.top() + hasard(zone.height()));
        const int rayon = 10 + hasard(60);
        p.setBrush(QColor(hasard(256), 100 + hasard(156), hasard(80)));
        p.setPen(forme % 3 ? QPen(QColor(20, 60, 20), 0) : QPen(Qt::NoPen));
        if (forme % 5 == 0) {
            QPainterPath feuille;
            feuille.moveTo(centre);
            feuille.quadTo(centre + QPoint(rayon, -rayon), centre + QPoint(2 * rayon, 0));
            feuille.quadTo(centre + QPoint(rayon, rayon), centre);
            p.drawPath(feuille);
        } else {
            QPolygon poly;
            const int n = 5 + hasard(12);
            for (int k = 0; k < n; ++k) {
                const double a = 2 * M_PI * k / n;
                const int r = rayon / 2 + hasard(rayon);
                poly << centre + QPoint(static_cast<int>(r * std::cos(a)), static_cast<int>(r * std::sin(a)));
            }
            p.drawPolygon(poly);
        }
    }
    p.end();
    return peripherique.Donnees();
}

// The layers, each of at least Enregistrements_Par_Couche records.
std::vector<Metafichier>& Couches() {
    static std::vector<Metafichier> couches = [] {
        std::vector<Metafichier> v;
        for (int i = 0, nb_formes = 400; i < Nb_Couches;) {
            auto lu = Metafichier::Lit(Dessine_Couche(i, nb_formes));
            const int n = static_cast<int>(lu->enregistrements().size());
            if (n >= Enregistrements_Par_Couche)
                v.push_back(std::move(lu.value())), ++i;
            else
                nb_formes = nb_formes * Enregistrements_Par_Couche / std::max(1, n) + 10;
        }
        return v;
    }();
    return couches;
}

void BM_Portrait(benchmark::State& state) {
    const auto& couches = Couches();
    size_t enregistrements = 0;
    for (const auto& c : couches) enregistrements += c.enregistrements().size();
    std::vector<const Metafichier*> pile;
    for (const auto& c : couches) pile.push_back(&c);
    QImage image(1024, 768, QImage::Format_RGB32);
    const bool bandes = state.range(0) != 0;
    for (auto _ : state) {
        image.fill(Qt::white);
        if (bandes) {
            Rendu_Wmf::Peint_Couches(image, pile, QRectF(0, 0, 1024, 768));
        } else {
            QPainter p(&image);
            for (const auto* c : pile) Joueur_Metafichier::Joue(*c, p, QRectF(0, 0, 1024, 768));
        }
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["records"] = static_cast<double>(enregistrements);
    state.counters["target_ms"] = Cible_Ms;
}
// Argument 0: one painter, layer after layer; 1: the banded painting on all cores.
BENCHMARK(BM_Portrait)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

// Prints the figure against the target once the runs are done.
class Rapport : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            const double ms = r.GetAdjustedRealTime();  // wall time, in the run's unit (milliseconds)
            std::printf(
                "%s: portrait of %d layers, %.0f records, 1024x768: %.2f ms per paint (CPU of the "
                "calling thread %.2f ms), target < %.0f ms: %s\n",
                r.benchmark_name().c_str(), Nb_Couches,
                r.counters.count("records") ? static_cast<double>(r.counters.at("records")) : 0.0, ms,
                r.GetAdjustedCPUTime(), Cible_Ms, ms < Cible_Ms ? "met" : "MISSED");
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    Rapport rapport;
    benchmark::RunSpecifiedBenchmarks(&rapport);
    benchmark::Shutdown();
    return 0;
}
