#include "Documents.h"

#include <QFile>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWebEngineHistory>

#include <gtest/gtest.h>

#include <tuple>

#include "Fixture_Documents.h"
#include "WebTexte.h"
#include "cImgs.h"
#include "frmLegende.h"
#include "frmZoom.h"

namespace kestrane::test {
namespace {

// One view for everything (each page load costs seconds), each block going on from the page the
// one before left.
TEST(Documents, TheTreeTheButtonsHistoryResultsListPrintingLanguageAndWebDocuments) {
    Bac_Documents bac;
    bac.hote.langue = 2;  // a French interface, and the base has French pages
    Documents& d = *bac.documents;
    d.Arbre().show();
    // A species without pages: the error page, in the interface language.
    d.Tree_esp_NodeClick({"acer pseudoplatanus", "ACPSE", "Sapindaceae S.l."});
    ASSERT_TRUE(Attend_Page(d, QStringLiteral("/data/error_fr.html")));
    {  // a species' common name opens its page; while it loads the timer changes no button;
       // local documents keep Stop enabled
        bac.hote.appels.clear();
        Clique_Noeud(d.Arbre(), QStringLiteral("FREXCFrêne commun"));
        EXPECT_EQ(bac.hote.appels.value(0), QStringLiteral("+Stop"));
        ASSERT_FALSE(d.Vue().Termine());
        bac.hote.appels.clear();
        d.Timer1_Timer();
        EXPECT_TRUE(bac.hote.appels.isEmpty());
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/f/frexc/frexc_fr.html")));
        EXPECT_EQ(QStringList({d.Etat().Code_Esp_Courant, d.Etat().Famille_Courante, bac.hote.suffixe}),
                  QStringList({"Frexc", "Oleaceae", "_fr"}));
        d.Timer1_Timer();
        EXPECT_EQ(std::tuple(bac.hote.appels.contains("-Avant"), bac.hote.boutons["Stop"],
                             bac.hote.appels.contains("-Stop"), bac.hote.pointeur_normal >= 1),
                  std::tuple(true, true, false, true));
    }
    {  // Back and Forward are off on the species page, which starts the history; back, back,
       // forward leaves one page forward. The drawing page's legend is in the interface language.
        EXPECT_TRUE(Attend([&] { return bac.hote.boutons.count("Avant") && !bac.hote.boutons["Avant"]; }));
        EXPECT_FALSE(bac.hote.boutons["Arriere"]);
        ASSERT_TRUE(Suit_Lien(d, QStringLiteral("dessin_frexc_fr.html")));
        EXPECT_EQ(d.Etat().Texte_Legende, QStringLiteral("Feuille pennée"));
        ASSERT_TRUE(Attend([&] { return bac.hote.boutons[QStringLiteral("Arriere")]; }));
        ASSERT_TRUE(Suit_Lien(d, QStringLiteral("dessin_frexc_en.html")));
        // clang-format off
        const struct { void (Documents::*action)(); const char* page; int nb_avant; } pas[] = {
            {&Documents::Arriere, "dessin_frexc_fr.html", 1}, {&Documents::Arriere, "/frexc_fr.html", 2},
            {&Documents::Avant, "dessin_frexc_fr.html", 1}, {&Documents::Avant, "dessin_frexc_en.html", 0}};
        // clang-format on
        for (const auto& p : pas) {
            (d.*p.action)();
            ASSERT_TRUE(Attend_Page(d, QString::fromUtf8(p.page)));
            EXPECT_EQ(d.Etat().Nb_Avant, p.nb_avant) << p.page;
            EXPECT_TRUE(Attend([&] { return bac.hote.boutons[QStringLiteral("Avant")] == (p.nb_avant > 0); }));
        }
        d.Avant();  // nothing forward: nothing happens
        EXPECT_EQ(d.Etat().Nb_Avant, 0);
    }
    {  // the results list: a click without selection acts on the first line, in the language of
       // the page shown; a click opens the species of the line (its family with a capital
       // initial); the contradictions button follows the percentage of the line
        QListWidget liste;
        liste.addItems({QStringLiteral(" 100% - Fraxinus excelsior"), QStringLiteral(" 60% - Aesculus hippocastanum"),
                        QStringLiteral("-10% - acer pseudoplatanus")});
        liste.show();
        d.Liste_Esp_Click(liste, 100);
        EXPECT_EQ(std::tuple(d.Etat().Code_Esp_Courant, liste.currentRow(), bac.hote.suffixe),
                  std::tuple(QStringLiteral("FREXC"), 0, QStringLiteral("_en")));
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/frexc_en.html")));
        int meilleur = 100;
        QObject::connect(&liste, &QListWidget::itemClicked, [&] { d.Liste_Esp_Click(liste, meilleur); });
        // clang-format off
        const struct { int ligne, meilleur; bool contra; const char* famille; } clics[] = {
            {1, 0, false, "Sapindaceae s.l."},  // 0: no answer yet
            {0, 100, false, "Oleaceae"}, {1, 100, true, "Sapindaceae s.l."}, {2, 100, true, "Sapindaceae s.l."}};
        // clang-format on
        const int appels_avant = bac.hote.appels_contra;
        for (const auto& c : clics) {
            meilleur = c.meilleur;
            QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, liste.visualItemRect(liste.item(c.ligne)).center());
            EXPECT_EQ(std::tuple(bac.hote.contra_visible, d.Etat().Famille_Courante, liste.currentRow()),
                      std::tuple(c.contra, QString::fromUtf8(c.famille), c.ligne)) << c.ligne << " " << c.meilleur;
        }
        EXPECT_EQ(std::pair(bac.hote.appels_contra - appels_avant, d.Etat().Espece_Courante),
                  std::pair(4, QStringLiteral("acer pseudoplatanus")));
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/data/error_en.html")));
    }
    {  // the list takes the focus the first time the mouse comes, only once
        QWidget fenetre;
        auto* liste = new QListWidget(&fenetre);
        liste->addItems({QStringLiteral(" 0% - Fraxinus excelsior")});
        auto* autre = new QListWidget(&fenetre);
        autre->move(0, 250);
        fenetre.resize(400, 500);
        fenetre.show();
        fenetre.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&fenetre));
        d.Suit_Focus_Liste(*liste);
        autre->setFocus();
        ASSERT_TRUE(autre->hasFocus());
        QTest::mouseMove(fenetre.windowHandle(), liste->viewport()->mapTo(&fenetre, QPoint(20, 10)));
        EXPECT_TRUE(Attend([&] { return liste->hasFocus(); }));
        autre->setFocus();
        QTest::mouseMove(fenetre.windowHandle(), liste->viewport()->mapTo(&fenetre, QPoint(30, 20)));
        QTest::mouseMove(fenetre.windowHandle(), liste->viewport()->mapTo(&fenetre, QPoint(40, 30)));
        EXPECT_TRUE(autre->hasFocus());
    }
    d.Tree_esp_NodeClick(Frene);
    ASSERT_TRUE(Attend_Page(d, QStringLiteral("/f/frexc/frexc_en.html")));
    {  // printing the page goes to the printer chosen; a cancelled choice prints nothing
        QTemporaryDir dossier;
        bac.dialogues.fichier_impression = dossier.filePath(QStringLiteral("page.pdf"));
        bac.dialogues.imprimantes = {false, true};
        QSignalSpy fin(&d, &Documents::Impression_Terminee);
        d.Imprime_Document();
        EXPECT_EQ(bac.dialogues.imprimantes.size(), 1u);
        d.Imprime_Document();
        ASSERT_TRUE(fin.wait(30000));
        ASSERT_EQ(fin.count(), 1);
        EXPECT_TRUE(fin.at(0).at(0).toBool());
        QFile fichier(bac.dialogues.fichier_impression);
        ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
        EXPECT_TRUE(fichier.read(5) == "%PDF-");
    }
    {  // opening a species takes the language of the page shown, and starts a new history
        ASSERT_TRUE(Suit_Lien(d, QStringLiteral("frexc_fr.html")));
        EXPECT_EQ(d.Suffixe_Documents(), QStringLiteral("_fr"));  // a comparison is written in it
        d.Tree_esp_NodeClick(Frene);
        EXPECT_EQ(bac.hote.suffixe, QStringLiteral("_fr"));
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/f/frexc/frexc_fr.html")));
        EXPECT_FALSE(d.Vue().history()->canGoBack());
        // Documents read from their address: Stop enabled before the navigation and disabled once
        // the page is complete; the drawing page has no zoom and no legend.
        const QString adresse = QUrl::fromLocalFile(bac.Dossier_Documents()).toString();
        bac.reglages.Distribution = "http";
        bac.reglages.Adresse_Documents = adresse.toStdString();
        bac.hote.appels.clear();
        d.Tree_esp_NodeClick(Frene);
        ASSERT_TRUE(Attend_Page(d, adresse + QStringLiteral("f/frexc/frexc_fr.html")));
        const qsizetype active = bac.hote.appels.lastIndexOf(QStringLiteral("+Stop"));
        ASSERT_GE(active, 0);
        EXPECT_GT(bac.hote.appels.lastIndexOf(QStringLiteral("-Stop")), active);
        bac.hote.appels.clear();  // a link followed enables Stop too
        ASSERT_TRUE(Suit_Lien(d, QStringLiteral("dessin_frexc_fr.html")));
        EXPECT_TRUE(bac.hote.appels.contains(QStringLiteral("+Stop")))
            << bac.hote.appels.join(' ').toStdString();
        EXPECT_EQ(std::tuple(d.Images().Actif(), d.Etat().Image_Dessin.isNull(), d.Legende().isVisible(),
                             d.Zoom().isVisible(), bac.hote.boutons["Stop"]),
                  std::tuple(false, true, false, false, false));
    }
}

}  // namespace
}  // namespace kestrane::test
