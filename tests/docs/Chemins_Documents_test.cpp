#include "Chemins_Documents.h"
#include "Medias_Documents.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

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

// {object, languages in order} -> the help page found: the first language that has one, the object
// in lower case, never a name that could lead elsewhere; the thumbnail's path from the code.
TEST(Medias_Documents, HelpPageInTheFirstLanguageThatHasOneAndThumbnailPath) {
    QTemporaryDir d;
    ASSERT_TRUE(QDir(d.path()).mkpath("aide"));
    for (const char* nom : {"aide/c2_fr.html", "aide/c2_en.html", "aide/c3_en.html", "secret_en.html"})
        QFile(d.filePath(nom)).open(QIODevice::WriteOnly);
    const std::tuple<std::string, QStringList, QString> cas[] = {
        {"C2", {"fr", "en"}, "aide/c2_fr.html"},
        {"c2", {"es", "en", "fr"}, "aide/c2_en.html"},
        {"c3", {"fr", "en"}, "aide/c3_en.html"},
        {"c4", {"fr", "en"}, ""},
        {"../secret", {"en"}, ""},
        {"", {"en"}, ""},
    };
    for (const auto& [objet, suffixes, page] : cas)
        EXPECT_EQ(Chemin_Aide_Question(d.path(), objet, suffixes), page.isEmpty() ? QString() : d.filePath(page))
            << objet;
    EXPECT_EQ(Chemin_Aide_Question(QString(), "c2", {"en"}), QString());
    EXPECT_EQ(Chemin_Vignette("/docs/", "BETPE1"), "/docs/b/betpe/betpe_vignette.png");
}

}  // namespace
}  // namespace kestrane
