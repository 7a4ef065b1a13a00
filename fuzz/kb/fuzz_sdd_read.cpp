// The SDD reader on arbitrary bytes: it either refuses them with "name:line: what" or gives a
// dataset whose indexes all point inside it; the details it holds are made safe and its measures
// divided into classes, and neither may leave a tag that could run or load anything.

#include <QBuffer>
#include <QByteArray>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Classes_Mesures.h"
#include "Lecture_Sdd.h"
#include "Nettoyage_Html.h"

namespace {

// Every tag of safe HTML is a bare name among the formatting ones: no attribute, nothing else.
void Verifie_Sur(const std::string& html) {
    static const std::string permis =
        " p br b i em strong u sub sup small ul ol li dl dt dd h2 h3 h4 h5 h6 hr table thead tbody tr td th "
        "blockquote ";
    for (size_t i = html.find('<'); i != std::string::npos; i = html.find('<', i + 1)) {
        const size_t debut = i + 1 + (i + 1 < html.size() && html[i + 1] == '/' ? 1 : 0);
        const size_t fin = html.find('>', debut);
        if (fin == std::string::npos ||
            permis.find(" " + html.substr(debut, fin - debut) + " ") == std::string::npos)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray octets(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer tampon(&octets);
    tampon.open(QIODevice::ReadOnly);
    auto lu = kestrane::kb::Lit_Sdd(tampon, "fuzz.xml");
    if (!lu) {
        if (lu.status().message().rfind("fuzz.xml:", 0) != 0)
            std::abort();
        return 0;
    }
    const auto& d = *lu;
    const auto n = static_cast<int>(d.Caracteres.size());
    const auto etat_valide = [&](int c, int e) {
        return c >= 0 && c < n && e >= 0 && e < static_cast<int>(d.Caracteres[static_cast<size_t>(c)].Etats.size());
    };
    for (const auto& noeud : d.Arbre) {
        if (noeud.Caractere >= n || noeud.Index_Parent >= static_cast<int>(d.Arbre.size()) ||
            noeud.Index_Concept >= static_cast<int>(d.Concepts.size()))
            std::abort();
        for (const auto* regles : {&noeud.Applicable_Si, &noeud.Inapplicable_Si})
            for (const auto& [c, e] : *regles)
                if (!etat_valide(c, e))
                    std::abort();
    }
    for (const auto& desc : d.Descriptions) {
        if (desc.Taxon >= static_cast<int>(d.Taxons.size()))
            std::abort();
        for (const auto& detail : desc.Rep.Details) Verifie_Sur(kestrane::kb::Nettoie_Html(detail.Texte));
        for (const auto& codage : desc.Codages) {
            if (codage.Caractere < 0 || codage.Caractere >= n)
                std::abort();
            for (int e : codage.Etats)
                if (!etat_valide(codage.Caractere, e))
                    std::abort();
        }
    }
    for (int c = 0; c < n; ++c) {
        std::vector<std::optional<kestrane::kb::Etendue>> etendues;
        for (const auto& desc : d.Descriptions)
            for (const auto& codage : desc.Codages)
                if (codage.Caractere == c && codage.Bas && codage.Haut)
                    etendues.push_back(kestrane::kb::Etendue{*codage.Bas, *codage.Haut});
        const auto classes = kestrane::kb::Divise_En_Classes(etendues, 8);
        if (classes.size() > 8 || (classes.empty() != etendues.empty()))
            std::abort();
        for (size_t k = 0; k < classes.size(); ++k)
            if (classes[k].Bas > classes[k].Haut || (k > 0 && classes[k].Bas != classes[k - 1].Haut))
                std::abort();
    }
    for (const auto& t : d.Taxons)
        for (const auto& detail : t.Rep.Details) Verifie_Sur(kestrane::kb::Nettoie_Html(detail.Texte));
    return 0;
}
