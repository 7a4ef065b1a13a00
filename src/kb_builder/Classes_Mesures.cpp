#include "Classes_Mesures.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace kestrane::kb {

namespace {

// The taxa of a class, one bit each.
using Ensemble = std::vector<uint64_t>;

void Ajoute(Ensemble& a, const Ensemble& b) {
    for (size_t i = 0; i < a.size(); ++i) a[i] |= b[i];
}

size_t Difference(const Ensemble& a, const Ensemble& b) {
    size_t n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += static_cast<size_t>(std::popcount(a[i] ^ b[i]));
    return n;
}

bool Vide(const Ensemble& a) {
    return std::all_of(a.begin(), a.end(), [](uint64_t m) { return m == 0; });
}

std::string Nombre(double v) {
    char tampon[32];
    std::snprintf(tampon, sizeof tampon, "%.6g", v);
    return tampon;
}

}  // namespace

bool Dans_Classe(const Etendue& e, const std::vector<Classe_Mesure>& classes, size_t k) {
    if (k >= classes.size())
        return false;
    const bool premiere = k == 0, derniere = k + 1 == classes.size();
    const double bas = classes[k].Bas, haut = classes[k].Haut;
    if (e.Bas == e.Haut) {
        const double v = e.Bas;
        return (premiere || v >= bas) && (derniere || v < haut);
    }
    return (premiere || e.Haut > bas) && (derniere || e.Bas < haut);
}

std::vector<Classe_Mesure> Divise_En_Classes(const std::vector<std::optional<Etendue>>& etendues,
                                             size_t max_classes) {
    std::vector<double> limites;
    for (const auto& e : etendues)
        if (e) {
            limites.push_back(e->Bas);
            limites.push_back(e->Haut);
        }
    if (limites.empty())
        return {};
    std::sort(limites.begin(), limites.end());
    limites.erase(std::unique(limites.begin(), limites.end()), limites.end());
    if (limites.size() == 1)
        return {{limites[0], limites[0]}};

    std::vector<Classe_Mesure> classes;
    for (size_t i = 0; i + 1 < limites.size(); ++i) classes.push_back({limites[i], limites[i + 1]});
    const size_t mots = (etendues.size() + 63) / 64;
    std::vector<Ensemble> taxons(classes.size(), Ensemble(mots, 0));
    for (size_t t = 0; t < etendues.size(); ++t) {
        if (!etendues[t])
            continue;
        // The classes whose limits enclose the range: from the one starting at or below its start.
        const auto debut = std::upper_bound(limites.begin(), limites.end(), etendues[t]->Bas);
        // A single value at the last limit belongs to the last class, which holds everything above.
        size_t k = debut == limites.begin() ? 0 : static_cast<size_t>(debut - limites.begin()) - 1;
        k = std::min(k, classes.size() - 1);
        for (; k < classes.size() && classes[k].Bas <= etendues[t]->Haut; ++k)
            if (Dans_Classe(*etendues[t], classes, k))
                taxons[k][t / 64] |= uint64_t{1} << (t % 64);
    }

    auto joint = [&](size_t k) {  // class k + 1 into class k
        classes[k].Haut = classes[k + 1].Haut;
        Ajoute(taxons[k], taxons[k + 1]);
        classes.erase(classes.begin() + static_cast<std::ptrdiff_t>(k) + 1);
        taxons.erase(taxons.begin() + static_cast<std::ptrdiff_t>(k) + 1);
    };
    for (size_t k = 0; k + 1 < classes.size();) {
        if (taxons[k] == taxons[k + 1] || Vide(taxons[k + 1]))
            joint(k);
        else
            ++k;
    }
    while (classes.size() > std::max<size_t>(max_classes, 1)) {
        size_t meilleur = 0, ecart = SIZE_MAX;
        for (size_t k = 0; k + 1 < classes.size(); ++k) {
            const size_t d = Difference(taxons[k], taxons[k + 1]);
            if (d < ecart)
                ecart = d, meilleur = k;
        }
        joint(meilleur);
    }
    return classes;
}

std::string Texte_Classe(const std::vector<Classe_Mesure>& classes, size_t k, const std::string& unite,
                         const std::string& langue) {
    if (k >= classes.size())
        return {};
    const std::string u = unite.empty() ? std::string() : " " + unite;
    const std::string bas = Nombre(classes[k].Bas) + u, haut = Nombre(classes[k].Haut) + u;
    const bool fr = langue == "fr", es = langue == "es";
    if (classes.size() == 1)
        return classes[k].Bas == classes[k].Haut ? bas
                                                 : (fr   ? "de " + Nombre(classes[k].Bas) + " à " + haut
                                                    : es ? "de " + Nombre(classes[k].Bas) + " a " + haut
                                                         : Nombre(classes[k].Bas) + " to " + haut);
    if (k == 0)
        return (fr ? "jusqu'à " : es ? "hasta " : "up to ") + haut;
    if (k + 1 == classes.size())
        return bas + (fr ? " ou plus" : es ? " o más" : " or more");
    if (fr)
        return "de " + Nombre(classes[k].Bas) + " à " + haut;
    if (es)
        return "de " + Nombre(classes[k].Bas) + " a " + haut;
    return Nombre(classes[k].Bas) + " to " + haut;
}

}  // namespace kestrane::kb
