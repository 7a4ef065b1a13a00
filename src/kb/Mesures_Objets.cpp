#include "Mesures_Objets.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cmath>
#include <limits>

namespace kestrane {

#if defined(__cpp_lib_to_chars)
std::string Texte_Nombre(double v) {
    char tampon[32];
    const auto fin = std::to_chars(tampon, tampon + sizeof tampon, v).ptr;
    return std::string(tampon, fin);
}

std::optional<double> Lit_Nombre(std::string_view texte) {
    double v = 0;
    const auto [p, ec] = std::from_chars(texte.data(), texte.data() + texte.size(), v);
    if (texte.empty() || ec != std::errc() || p != texte.data() + texte.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}
#else
// A library without the floating conversions of <charconv> (the browser's build, whose only
// locale is "C"): 15 significant digits, more only when needed to read back the same (%g drops
// the trailing zeros, so 10 stays "10").
std::string Texte_Nombre(double v) {
    char tampon[32];
    for (int precision = 15; precision <= 17; ++precision) {
        std::snprintf(tampon, sizeof tampon, "%.*g", precision, v);
        if (std::strtod(tampon, nullptr) == v)
            break;
    }
    return tampon;
}

std::optional<double> Lit_Nombre(std::string_view texte) {
    const std::string t(texte);
    char* fin = nullptr;
    const double v = t.empty() || std::isspace(static_cast<unsigned char>(t[0])) ? 0 : std::strtod(t.c_str(), &fin);
    if (fin == nullptr || fin != t.c_str() + t.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}
#endif

std::string Texte_Limites(const std::vector<double>& limites) {
    std::string s;
    for (double l : limites) s += (s.empty() ? "" : ";") + Texte_Nombre(l);
    return s;
}

std::optional<std::vector<double>> Lit_Limites(std::string_view texte) {
    std::vector<double> limites;
    size_t debut = 0;
    while (debut <= texte.size() && !texte.empty()) {
        const size_t fin = std::min(texte.find(';', debut), texte.size());
        std::string_view morceau = texte.substr(debut, fin - debut);
        while (!morceau.empty() && morceau.front() == ' ') morceau.remove_prefix(1);
        while (!morceau.empty() && morceau.back() == ' ') morceau.remove_suffix(1);
        const auto v = Lit_Nombre(morceau);
        if (!v || (!limites.empty() && *v <= limites.back()))
            return std::nullopt;
        limites.push_back(*v);
        debut = fin + 1;
    }
    return limites;
}

std::vector<int> Classes_Rencontrees(const Mesure_Objet& m, Intervalle i) {
    std::vector<int> classes;
    const auto n = static_cast<int>(m.Limites.size()) + 1;
    for (int k = 0; k < n; ++k) {
        const bool apres_debut = k == 0 || i.Haut >= m.Limites[static_cast<size_t>(k - 1)];
        const bool avant_fin = k == n - 1 || i.Bas < m.Limites[static_cast<size_t>(k)];
        if (apres_debut && avant_fin)
            classes.push_back(k);
    }
    return classes;
}

Intervalle Etendue_Classes(const Mesure_Objet& m, int premiere, int derniere) {
    constexpr double infini = std::numeric_limits<double>::infinity();
    const auto n = static_cast<int>(m.Limites.size()) + 1;
    Intervalle i{-infini, infini};
    if (premiere > 0 && premiere < n)
        i.Bas = m.Limites[static_cast<size_t>(premiere - 1)];
    if (derniere >= 0 && derniere < n - 1)  // a class ends just below its cut
        i.Haut = std::nextafter(m.Limites[static_cast<size_t>(derniere)], -infini);
    return i;
}

}  // namespace kestrane
