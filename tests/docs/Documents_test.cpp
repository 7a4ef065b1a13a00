#include "Documents.h"

#include <QFile>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineHistory>

#include <gtest/gtest.h>

#include <tuple>

#include "Fixture_Documents.h"
#include "Schema_Base.h"
#include "Serveur_Http.h"
#include "Tree_esp.h"
#include "WebTexte.h"
#include "cImgs.h"
#include "frmLegende.h"
#include "frmZoom.h"

namespace kestrane::test {
namespace {

// Clicks the document view where a page element is drawn (in the view's pixels).
void Clique_Vue(Documents& documents, QPoint point) {
    QWidget* cible = documents.Vue().focusProxy();
    ASSERT_NE(cible, nullptr);
    QTest::mouseClick(cible, Qt::LeftButton, {}, point);
}

Choix_Espece Hetre() {
    return {QStringLiteral("Fagus sylvatica"), QStringLiteral("FAGSY"), QStringLiteral("Fagaceae")};
}

Choix_Espece Erable() {
    return {QStringLiteral("acer campestre"), QStringLiteral("ACECA"), QStringLiteral("Sapindaceae S.l.")};
}

struct Liste_Resultats {
    explicit Liste_Resultats(const QStringList& lignes) {
        liste.addItems(lignes);
        liste.resize(300, 200);
        liste.show();
    }
    void Clique(int ligne) {
        QListWidgetItem* item = liste.item(ligne);
        QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, liste.visualItemRect(item).center());
    }
    QListWidget liste;
};

// One page load for the local pages (each shared page load costs seconds): the species tree's
// clicks, the error page, the buttons while and after a page loads, the history, the results
// list's clicks and focus, printing, and the language a species page is opened in.
TEST(Documents, LocalPagesTheTreeTheButtonsHistoryResultsListPrintingAndLanguage) {
    Bac_Documents bac;
    Documents& d = *bac.documents;
    {  // a click on the tree's node that is no species opens nothing; a missing page, the error page
        Tree_esp& arbre = d.Arbre();
        arbre.resize(400, 900);
        arbre.show();
        arbre.expandAll();
        QTreeWidgetItem* famille = arbre.Noeud(QStringLiteral("FAGACEAE"));
        ASSERT_NE(famille, nullptr);
        QTest::mouseClick(arbre.viewport(), Qt::LeftButton, {}, arbre.visualItemRect(famille).center());
        EXPECT_TRUE(bac.hote.appels.isEmpty());
        d.Tree_esp_NodeClick(Erable());
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/data/error_en.html")));
        EXPECT_EQ(d.Vue().title(), QStringLiteral("Page not found"));
    }
    {  // a click on a species' common name opens its page; while it loads the timer changes no
       // button; local documents keep Stop enabled
        Tree_esp& arbre = d.Arbre();
        QTreeWidgetItem* hetre = arbre.Noeud(QStringLiteral("FAGSYHêtre"));
        ASSERT_NE(hetre, nullptr);
        arbre.scrollToItem(hetre);
        bac.hote.appels.clear();
        QTest::mouseClick(arbre.viewport(), Qt::LeftButton, {}, arbre.visualItemRect(hetre).center());
        EXPECT_EQ(bac.hote.appels.value(0), QStringLiteral("+Stop"));
        ASSERT_FALSE(d.Vue().Termine());
        bac.hote.appels.clear();
        d.Timer1_Timer();
        EXPECT_TRUE(bac.hote.appels.isEmpty());
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/f/fagsy/fagsy_en.html")));
        EXPECT_EQ(QStringList({d.Etat().Code_Esp_Courant, d.Etat().Famille_Courante, bac.hote.suffixe}),
                  QStringList({"Fagsy", "Fagaceae", "_en"}));
        d.Timer1_Timer();
        EXPECT_EQ(std::tuple(bac.hote.appels.contains("-Avant"), bac.hote.boutons["Stop"],
                             bac.hote.appels.contains("-Stop"), bac.hote.pointeur_normal >= 1),
                  std::tuple(true, true, false, true));
    }
    {  // Back, back, forward leaves one page forward. Forward is off as soon as the species page
       // is shown; back leads nowhere from it.
        ASSERT_TRUE(Attend([&] { return bac.hote.boutons.count(QStringLiteral("Avant")) != 0; }));
        EXPECT_EQ(std::tuple(bac.hote.boutons["Avant"], bac.hote.boutons["Arriere"]), std::tuple(false, false));
        Clique_Vue(d, {60, 35});  // drawing page
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("dessin_fagsy_en.html")));
        ASSERT_TRUE(Attend([&] { return bac.hote.boutons[QStringLiteral("Arriere")]; }));
        Clique_Vue(d, {650, 25});  // next page
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("suite_en.html")));
        d.Arriere();
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("dessin_fagsy_en.html")));
        d.Arriere();
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/fagsy_en.html")));
        d.Avant();
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("dessin_fagsy_en.html")));
        EXPECT_EQ(d.Etat().Nb_Avant, 1);
        EXPECT_TRUE(Attend([&] { return bac.hote.boutons[QStringLiteral("Avant")]; }));
        d.Avant();
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("suite_en.html")));
        EXPECT_EQ(d.Etat().Nb_Avant, 0);
        d.Avant();  // nothing forward: nothing happens
        EXPECT_EQ(d.Etat().Nb_Avant, 0);
        EXPECT_TRUE(Attend([&] { return !bac.hote.boutons[QStringLiteral("Avant")]; }));
    }
    {  // the results list: a click without selection acts on the first line
        Liste_Resultats r(
            {QStringLiteral(" 100% - Fagus sylvatica"), QStringLiteral(" 50% - Quercus robur")});
        ASSERT_EQ(r.liste.currentRow(), -1);
        d.Liste_Esp_Click(r.liste, 100);
        EXPECT_EQ(std::tuple(d.Etat().Code_Esp_Courant, r.liste.currentRow()), std::tuple(QStringLiteral("FAGSY"), 0));
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("fagsy_en.html")));
    }
    {  // a click opens the species of the line, its family in proper case
        Liste_Resultats r({QStringLiteral(" 85% - Melia azedarach"), QStringLiteral(" 85% - Fagus sylvatica"),
                           QStringLiteral(" 40% - acer campestre")});
        QObject::connect(&r.liste, &QListWidget::itemClicked, [&] { d.Liste_Esp_Click(r.liste, 85); });
        r.Clique(0);
        EXPECT_EQ(d.Etat().Famille_Courante, QStringLiteral("Meliaceae"));
        r.Clique(2);
        EXPECT_EQ(QStringList({d.Etat().Famille_Courante, d.Etat().Espece_Courante}),
                  QStringList({"Sapindaceae s.l.", "acer campestre"}));
        EXPECT_EQ(r.liste.currentRow(), 2);
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/data/error_en.html")));
    }
    {  // the contradictions button follows the percentage of the line
        Liste_Resultats r({QStringLiteral(" 100% - Fagus sylvatica"), QStringLiteral(" 60% - Quercus robur"),
                           QStringLiteral("-10% - Tilia cordata")});
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
        liste->addItems({QStringLiteral(" 0% - Fagus sylvatica")});
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
    d.Tree_esp_NodeClick(Hetre());
    ASSERT_TRUE(Attend_Page(d, QStringLiteral("/f/fagsy/fagsy_en.html")));
    {  // printing the page goes to the printer chosen; a cancelled choice prints nothing
        QTemporaryDir dossier;
        bac.dialogues.fichier_impression = dossier.filePath(QStringLiteral("page.pdf"));
        bac.dialogues.imprimantes = {false, true};
        QSignalSpy fin(&d, &Documents::Impression_Terminee);
        d.Imprime_Document();
        EXPECT_EQ(bac.dialogues.imprimantes.size(), 1u);
        d.Imprime_Document();
        ASSERT_TRUE(fin.wait(30000));
        EXPECT_EQ(std::tuple(fin.count(), fin.at(0).at(0).toBool()), std::tuple(1, true));
        QFile fichier(bac.dialogues.fichier_impression);
        ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
        EXPECT_TRUE(fichier.read(5) == "%PDF-");
    }
    {  // opening a species takes the language of the page shown, and starts a new history
        Clique_Vue(d, {60, 75});  // the link to the French page
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/f/fagsy/fagsy_fr.html")));
        d.Tree_esp_NodeClick(Hetre());
        EXPECT_EQ(bac.hote.suffixe, QStringLiteral("_fr"));
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/f/fagsy/fagsy_fr.html")));
        EXPECT_FALSE(d.Vue().history()->canGoBack());
        d.Tree_esp_NodeClick(Erable());
        ASSERT_TRUE(Attend_Page(d, QStringLiteral("/data/error_fr.html")));
        EXPECT_EQ(d.Vue().title(), QStringLiteral("Page introuvable"));
    }
}

// A base without the language (every other test here) starts in English, as before.
TEST(Documents, FirstPageIsInTheInterfaceLanguageWhenTheBaseOffersItAndTheLegendFollowsThatLanguage) {
    const std::string francais =
        Schema_Traductions_SQL() +
        "INSERT INTO Langues_Textes VALUES ('en', 'English', -1), ('fr', 'French', 0);"
        "INSERT INTO Traductions (Nom_Table, Cle, Champ, Langue, Texte)"
        " VALUES ('Flore', 'Fagus sylvatica', 'Legende', 'fr', 'Hêtre commun');";
    Bac_Documents bac({}, francais);
    bac.hote.langue = 2;
    Documents& d = *bac.documents;
    d.Tree_esp_NodeClick(Hetre());
    ASSERT_TRUE(Attend_Page(d, QStringLiteral("/f/fagsy/fagsy_fr.html")));
    EXPECT_EQ(bac.hote.suffixe, QStringLiteral("_fr"));
    Clique_Vue(d, {60, 35});  // the drawing page, in English
    ASSERT_TRUE(Attend_Page(d, QStringLiteral("dessin_fagsy_en.html")));
    EXPECT_EQ(d.Etat().Texte_Legende, QStringLiteral("Hêtre commun"));
}

TEST(Documents_Web, SpeciesPageComesOverHttpStopFollowsTheLoadAndTheDrawingPageHasNoZoom) {
    Serveur_Http serveur(
        QString::fromStdString((std::filesystem::path(KESTRANE_DOCS_FIXTURES) / "documents").string()));
    Bac_Documents bac(serveur.Adresse());
    Documents& d = *bac.documents;
    d.Tree_esp_NodeClick(Hetre());
    ASSERT_TRUE(Attend_Page(d, serveur.Adresse() + QStringLiteral("f/fagsy/fagsy_en.html")));
    EXPECT_EQ(d.Vue().title(), QStringLiteral("Fagus sylvatica"));
    EXPECT_TRUE(serveur.demandes.contains(QStringLiteral("/f/fagsy/fagsy_en.html")));
    // Enabled before the navigation, disabled once the page is complete.
    const qsizetype active = bac.hote.appels.lastIndexOf(QStringLiteral("+Stop"));
    ASSERT_GE(active, 0);
    EXPECT_GT(bac.hote.appels.lastIndexOf(QStringLiteral("-Stop")), active);
    EXPECT_FALSE(bac.hote.boutons[QStringLiteral("Stop")]);
    // The drawing page on the web: no zoom, no legend.
    Clique_Vue(d, {60, 35});
    ASSERT_TRUE(Attend_Page(d, QStringLiteral("dessin_fagsy_en.html")));
    EXPECT_EQ(std::tuple(d.Images().Actif(), d.Etat().Image_Dessin.isNull(), d.Legende().isVisible(),
                         d.Zoom().isVisible(), bac.hote.boutons["Stop"]),
              std::tuple(false, true, false, false, false));
}

}  // namespace
}  // namespace kestrane::test
