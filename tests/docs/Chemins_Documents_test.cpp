#include "Chemins_Documents.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

TEST(Chemins_Documents, ProperCaseCapitalisesEveryWord) {
    EXPECT_EQ(Nom_Propre(QStringLiteral("SAPINDACEAE S.L.")), QStringLiteral("Sapindaceae S.l."));
    EXPECT_EQ(Nom_Propre(QStringLiteral("fagaceae")), QStringLiteral("Fagaceae"));
    EXPECT_EQ(Nom_Propre(QStringLiteral("ÉRABLE  champêtre")), QStringLiteral("Érable  Champêtre"));
    EXPECT_EQ(Nom_Propre(QString()), QString());
}

TEST(Chemins_Documents, FirstLetterOnlyForTheListsFamily) {
    EXPECT_EQ(Initiale_Majuscule(QStringLiteral("MELIACEAE")), QStringLiteral("Meliaceae"));
    EXPECT_EQ(Initiale_Majuscule(QStringLiteral("sapindaceae S.L.")), QStringLiteral("Sapindaceae s.l."));
    EXPECT_EQ(Initiale_Majuscule(QString()), QString());
}

TEST(Chemins_Documents, SuffixIsTakenFromAnHtmlLocationOnly) {
    EXPECT_EQ(Suffixe_De_Location(QStringLiteral("file:///d/f/fagsy/fagsy_fr.html")), QStringLiteral("_fr"));
    EXPECT_EQ(Suffixe_De_Location(QStringLiteral("http://h/q/quero/dessin_quero_es.html")),
              QStringLiteral("_es"));
    // The comparison with ".html" is exact: other endings give English.
    EXPECT_EQ(Suffixe_De_Location(QStringLiteral("file:///D/Q/QUERO/QUERO_FR.HTML")), QStringLiteral("_en"));
    EXPECT_EQ(Suffixe_De_Location(QStringLiteral("http://h/page_fr.htm")), QStringLiteral("_en"));
    EXPECT_EQ(Suffixe_De_Location(QString()), QStringLiteral("_en"));
}

TEST(Chemins_Documents, SpeciesPageDrawingAndErrorPage) {
    EXPECT_EQ(Chemin_Page_Espece(QStringLiteral("D:/Doc/"), QStringLiteral("ACACI"), QStringLiteral("_en")),
              QStringLiteral("D:/Doc/a/acaci/acaci_en.html"));
    EXPECT_EQ(
        Chemin_Page_Espece(QStringLiteral("http://h/docs/"), QStringLiteral("Fagsy"), QStringLiteral("_fr")),
        QStringLiteral("http://h/docs/f/fagsy/fagsy_fr.html"));
    EXPECT_EQ(Chemin_Dessin(QStringLiteral("/data/doc/"), QStringLiteral("QUERO")),
              QStringLiteral("/data/doc/q/quero/quero.gif"));
    EXPECT_EQ(Chemin_Page_Erreur(QStringLiteral("/opt/k/data/"), QStringLiteral("_fr")),
              QStringLiteral("/opt/k/data/error_fr.html"));
}

TEST(Chemins_Documents, DrawingPageIsRecognisedFromItsLastTwentyCharacters) {
    EXPECT_TRUE(
        Est_Page_Dessin(QStringLiteral("file:///d/f/fagsy/dessin_fagsy_en.html"), QStringLiteral("FAGSY")));
    EXPECT_TRUE(
        Est_Page_Dessin(QStringLiteral("file:///d/Q/QUERO/DESSIN_QUERO_EN.HTML"), QStringLiteral("Quero")));
    EXPECT_FALSE(
        Est_Page_Dessin(QStringLiteral("file:///d/f/fagsy/dessin_fagsy_en.html"), QStringLiteral("QUERO")));
    EXPECT_FALSE(Est_Page_Dessin(QStringLiteral("file:///d/f/fagsy/fagsy_en.html"), QStringLiteral("FAGSY")));
    // Another name length moves the window of twenty characters.
    EXPECT_FALSE(
        Est_Page_Dessin(QStringLiteral("file:///d/f/fagsy/dessin_fagsy.html"), QStringLiteral("FAGSY")));
}

TEST(Chemins_Documents, SpeciesPageIsNotItsDrawingPage) {
    EXPECT_TRUE(Est_Page_Espece(QStringLiteral("file:///d/f/fagsy/fagsy_en.html"), QStringLiteral("FAGSY"),
                                QStringLiteral("_en")));
    EXPECT_TRUE(Est_Page_Espece(QStringLiteral("file:///d/Q/QUERO/Quero_en.html"), QStringLiteral("QUERO"),
                                QStringLiteral("_en")));
    EXPECT_FALSE(Est_Page_Espece(QStringLiteral("file:///d/f/fagsy/dessin_fagsy_en.html"),
                                 QStringLiteral("FAGSY"), QStringLiteral("_en")));
    EXPECT_FALSE(Est_Page_Espece(QStringLiteral("file:///d/f/fagsy/fagsy_fr.html"), QStringLiteral("FAGSY"),
                                 QStringLiteral("_en")));
}

}  // namespace
}  // namespace kestrane
