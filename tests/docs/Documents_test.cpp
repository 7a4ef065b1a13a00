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
#include "Tree_esp.h"
#include "WebTexte.h"
#include "cImgs.h"
#include "frmLegende.h"
#include "frmZoom.h"

namespace kestrane::test {
namespace {

const Choix_Espece Frene{QStringLiteral("Fraxinus excelsior"), QStringLiteral("FREXC"), QStringLiteral("Oleaceae")};
const Choix_Espece Erable{QStringLiteral("acer pseudoplatanus"), QStringLiteral("ACPSE"),
                          QStringLiteral("Sapindaceae S.l.")};

struct Liste_Resultats {
    explicit Liste_Resultats(const QStringList& lignes) {
        liste.addItems(lignes);
        liste.resize(300, 200);
        liste.show();
    }
    void Clique(int ligne) {
        QListWidgetItem* item = liste.item(ligne);
        ASSERT_NE(item, nullptr);
        QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, liste.visualItemRect(item).center());
    }
    QListWidget liste;
};

// One view for everything (each page load costs seconds), each block going on from the page the
// one before left: the species tree's clicks, the first page in the interface language, the
// buttons while and after a page loads, the history, the results list's clicks and focus,
// printing, the language a species page is opened in, then the documents read from their address.
TEST(Documents, TheTreeTheButtonsHistoryResultsListPrintingLanguageAndWebDocuments) {
    Bac_Documents bac;
    bac.hote.langue = 2;  // a French interface: the base has French pages
    Documents& d = *bac.documents;
    {  // a click on the tree's node that is no species opens nothing; a missing page, the error
       // page, in the interface language
        Tree_esp& arbre = d.Arbre();
        arbre.resize(400, 900);
        arbre.show();
        arbre.expandAll();
        QTreeWidgetItem* famille = arbre.Noeud(QStringLiteral("OLEACEAE"));
        ASSERT_NE(famille, nullptr);
        QTest::mouseClick(arbre.viewport(), Qt::LeftButton, {}, arbre.visualItemRect(famille).center());
        EXPECT_TRUE(bac.hote.appels.isEmpty());
        d.Tree_esp_NodeClick(Erable);
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/data/error_fr.html")));
    }
    {  // a click on a species' common name opens its page; while it loads the timer changes no
       // button; local documents keep Stop enabled
        Tree_esp& arbre = d.Arbre();
        QTreeWidgetItem* frene = arbre.Noeud(QStringLiteral("FREXCFrêne commun"));
        ASSERT_NE(frene, nullptr);
        arbre.scrollToItem(frene);
        bac.hote.appels.clear();
        QTest::mouseClick(arbre.viewport(), Qt::LeftButton, {}, arbre.visualItemRect(frene).center());
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
    {  // Back, back, forward leaves one page forward. Forward is off as soon as the species page
       // is shown; back leads nowhere from it. The drawing page's legend is in the interface language.
        ASSERT_TRUE(Attend([&] { return bac.hote.boutons.count(QStringLiteral("Avant")) != 0; }));
        EXPECT_EQ(std::tuple(bac.hote.boutons["Avant"], bac.hote.boutons["Arriere"]), std::tuple(false, false));
        Clique_Element(d, QStringLiteral("a[href=\"dessin_frexc_fr.html\"]"));
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("dessin_frexc_fr.html")));
        EXPECT_EQ(d.Etat().Texte_Legende, QStringLiteral("Feuille pennée"));
        ASSERT_TRUE(Attend([&] { return bac.hote.boutons[QStringLiteral("Arriere")]; }));
        Clique_Element(d, QStringLiteral("a[href=\"dessin_frexc_en.html\"]"));
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("dessin_frexc_en.html")));
        d.Arriere();
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("dessin_frexc_fr.html")));
        d.Arriere();
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/frexc_fr.html")));
        d.Avant();
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("dessin_frexc_fr.html")));
        EXPECT_EQ(d.Etat().Nb_Avant, 1);
        EXPECT_TRUE(Attend([&] { return bac.hote.boutons[QStringLiteral("Avant")]; }));
        d.Avant();
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("dessin_frexc_en.html")));
        EXPECT_EQ(d.Etat().Nb_Avant, 0);
        d.Avant();  // nothing forward: nothing happens
        EXPECT_EQ(d.Etat().Nb_Avant, 0);
        EXPECT_TRUE(Attend([&] { return !bac.hote.boutons[QStringLiteral("Avant")]; }));
    }
    {  // the results list: a click without selection acts on the first line, in the language of
       // the page shown
        Liste_Resultats r({QStringLiteral(" 100% - Fraxinus excelsior"), QStringLiteral(" 50% - Pinus sylvestris")});
        ASSERT_EQ(r.liste.currentRow(), -1);
        d.Liste_Esp_Click(r.liste, 100);
        EXPECT_EQ(std::tuple(d.Etat().Code_Esp_Courant, r.liste.currentRow(), bac.hote.suffixe),
                  std::tuple(QStringLiteral("FREXC"), 0, QStringLiteral("_en")));
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/frexc_en.html")));
    }
    {  // a click opens the species of the line, its family with a capital initial
        Liste_Resultats r({QStringLiteral(" 85% - Fraxinus excelsior"), QStringLiteral(" 85% - Pinus sylvestris"),
                           QStringLiteral(" 40% - acer pseudoplatanus")});
        QObject::connect(&r.liste, &QListWidget::itemClicked, [&] { d.Liste_Esp_Click(r.liste, 85); });
        r.Clique(0);
        EXPECT_EQ(d.Etat().Famille_Courante, QStringLiteral("Oleaceae"));
        r.Clique(2);
        EXPECT_EQ(QStringList({d.Etat().Famille_Courante, d.Etat().Espece_Courante}),
                  QStringList({"Sapindaceae s.l.", "acer pseudoplatanus"}));
        EXPECT_EQ(r.liste.currentRow(), 2);
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/data/error_en.html")));
    }
    {  // the contradictions button follows the percentage of the line
        Liste_Resultats r({QStringLiteral(" 100% - Fraxinus excelsior"), QStringLiteral(" 60% - Aesculus hippocastanum"),
                           QStringLiteral("-10% - acer pseudoplatanus")});
        int meilleur = 100;
        const int appels_avant = bac.hote.appels_contra;
        QObject::connect(&r.liste, &QListWidget::itemClicked, [&] { d.Liste_Esp_Click(r.liste, meilleur); });
        const struct {
            int ligne, meilleur;
            bool contra;
        } clics[] = {{1, 100, true}, {0, 100, false}, {2, 100, true}, {1, 0, false}};  // 0: no answer yet
        for (const auto& c : clics) {
            meilleur = c.meilleur;
            r.Clique(c.ligne);
            EXPECT_EQ(bac.hote.contra_visible, c.contra) << c.ligne << " " << c.meilleur;
        }
        EXPECT_EQ(bac.hote.appels_contra - appels_avant, 4);
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
        Clique_Element(d, QStringLiteral("a[href=\"frexc_fr.html\"]"));
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/f/frexc/frexc_fr.html")));
        d.Tree_esp_NodeClick(Frene);
        EXPECT_EQ(bac.hote.suffixe, QStringLiteral("_fr"));
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/f/frexc/frexc_fr.html")));
        EXPECT_FALSE(d.Vue().history()->canGoBack());
        d.Tree_esp_NodeClick(Erable);
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/data/error_fr.html")));
    }
    {  // documents read from their address: Stop enabled before the navigation and disabled once
       // the page is complete; the drawing page has no zoom and no legend
        const QString adresse = QUrl::fromLocalFile(bac.Dossier_Documents()).toString();
        bac.reglages.Distribution = "http";
        bac.reglages.Adresse_Documents = adresse.toStdString();
        bac.hote.appels.clear();
        d.Tree_esp_NodeClick(Frene);
        ASSERT_TRUE(Attend_Page(d, adresse + QStringLiteral("f/frexc/frexc_fr.html")));
        EXPECT_EQ(d.Vue().title(), QStringLiteral("Fraxinus excelsior"));
        const qsizetype active = bac.hote.appels.lastIndexOf(QStringLiteral("+Stop"));
        ASSERT_GE(active, 0);
        EXPECT_GT(bac.hote.appels.lastIndexOf(QStringLiteral("-Stop")), active);
        EXPECT_FALSE(bac.hote.boutons[QStringLiteral("Stop")]);
        Clique_Element(d, QStringLiteral("a[href=\"dessin_frexc_fr.html\"]"));
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("dessin_frexc_fr.html")));
        EXPECT_EQ(std::tuple(d.Images().Actif(), d.Etat().Image_Dessin.isNull(), d.Legende().isVisible(),
                             d.Zoom().isVisible(), bac.hote.boutons["Stop"]),
                  std::tuple(false, true, false, false, false));
    }
}

}  // namespace
}  // namespace kestrane::test
