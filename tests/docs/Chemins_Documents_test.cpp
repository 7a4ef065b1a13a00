#include "Chemins_Documents.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <tuple>

namespace kestrane {
namespace {

// clang-format off
TEST(Chemins_Documents, ProperCaseAndTheListsFamilyCapitals) {
    const struct { QString nom, propre, initiale; } cas[] = {
        {"SAPINDACEAE S.L.", "Sapindaceae S.l.", "Sapindaceae s.l."},
        {"ÉRABLE  champêtre", "Érable  Champêtre", "Érable  champêtre"},
        {QString(), QString(), QString()},
    };
    for (const auto& c : cas)
        EXPECT_EQ(QStringList({Nom_Propre(c.nom), Initiale_Majuscule(c.nom)}), QStringList({c.propre, c.initiale})) << c.nom.toStdString();
}

TEST(Chemins_Documents, SuffixIsTakenFromAnHtmlLocationOnly) {
    const struct { QString location, suffixe; } cas[] = {
        {"http://h/q/quero/dessin_quero_es.html", "_es"},
        {"file:///D/Q/QUERO/QUERO_FR.HTML", "_en"},  // the comparison with ".html" is exact
        {"http://h/page_fr.htm", "_en"},
        {QString(), "_en"},
    };
    for (const auto& c : cas) EXPECT_EQ(Suffixe_De_Location(c.location), c.suffixe) << c.location.toStdString();
}

// The drawing page is recognised from the location's last twenty characters; the species page is
// not its drawing page.
TEST(Chemins_Documents, DrawingPageAndSpeciesPageRecognised) {
    const struct { QString location, code; bool dessin, espece; } cas[] = {
        {"file:///d/Q/QUERO/DESSIN_QUERO_EN.HTML", "Quero", true, false},
        {"file:///d/f/fagsy/dessin_fagsy_en.html", "QUERO", false, false},
        {"file:///d/Q/QUERO/Quero_en.html", "QUERO", false, true},
        {"file:///d/f/fagsy/fagsy_fr.html", "FAGSY", false, false},
        {"file:///d/f/fagsy/dessin_fagsy.html", "FAGSY", false, false},  // another length moves the window
    };
    for (const auto& c : cas)
        EXPECT_EQ(std::tuple(Est_Page_Dessin(c.location, c.code), Est_Page_Espece(c.location, c.code, "_en")),
                  std::tuple(c.dessin, c.espece)) << c.location.toStdString();
}
// clang-format on

}  // namespace
}  // namespace kestrane
