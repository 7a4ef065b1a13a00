#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>

#include "Barre_Boutons.h"
#include "Barre_Etat.h"
#include "Barre_Principale.h"
#include "Documents.h"
#include "Fenetre_Petite.h"
#include "Modele_Liste_Esp.h"
#include "Schema_Base.h"
#include "Table_Chaines.h"
#include "WebTexte.h"
#include "frmOptions.h"

namespace kestrane {
namespace {

namespace fs = std::filesystem;

class FenetreTest : public test::Fenetre_Petite {
  protected:
    std::vector<std::string> Lignes() {
        return static_cast<Modele_Liste_Esp*>(F().Liste_Esp->model())->Lignes();
    }
    // The list's first line; "" (a failure, not a crash) when the list is empty.
    std::string Premiere_Ligne() {
        const std::vector<std::string> lignes = Lignes();
        return lignes.empty() ? std::string() : lignes.front();
    }
    // Answers a character through the engine, as the question bar does.
    void Repond(const std::string& objet, int choix) {
        Identification_Courante& id = *F().Identification();
        ASSERT_NE(F().Base()->Trouve_Objet(objet), nullptr);
        id.Question = Question_Courante::De_Objet(*F().Base()->Trouve_Objet(objet));
        id.Question.Choix = choix;
        ASSERT_TRUE(id.Valid_Descripteur().ok());
        ASSERT_TRUE(id.Actualise_Identification().ok());
    }
};

// English, then French: the window's texts and fonts, the dialogs' own texts and the base's
// translated texts in the bars, the status bar and the chooser.
TEST_F(FenetreTest, StartsOnTheBaseInTheUsersLanguage) {
    Images({"leaf"});
    Modifie(
        Schema_Traductions_SQL() +
        "INSERT INTO Langues_Textes VALUES ('en', 'English', -1), ('fr', 'French', 0);"
        "INSERT INTO Traductions (Nom_Table, Cle, Champ, Langue, Texte) VALUES"
        " ('Objets_Fic', 'LEAF', 'TipText', 'fr', 'Comment est la feuille ?'),"
        " ('Caracteres', 'LEAF_SIMPLE', 'TipText', 'fr', 'Feuille simple'),"
        " ('But_Deter', '1', 'Caption', 'fr', 'Feuille'), ('But_Deter', '1', 'TipText', 'fr', 'La feuille'),"
        " ('But_Quest', '1', 'TipText', 'fr', 'Valider');");
    for (const char* langue : {"0", "2"}) {
        SCOPED_TRACE(langue);
        magasin_.valeurs["Options/Langue"] = langue;
        ASSERT_EQ(Lance(), 0);
        EXPECT_TRUE(dialogues_.messages.empty());
        EXPECT_EQ(F().Mode_Affichage(), 1);
        EXPECT_EQ(Visibles(), "Robot Barre_Deter");
        EXPECT_EQ(Lignes().size(), 5u);
        // Save, Save As, the Save button, Copy; the label in 9-point bold whatever the language's font.
        ASSERT_TRUE(F().tbToolBar->Bouton("Save") && F().tbToolBar->Bouton("Copy"));
        EXPECT_EQ(std::tuple(F().mnuFileSave->isEnabled(), F().mnuFileSaveAs->isEnabled(),
                             F().tbToolBar->Bouton("Save")->isEnabled(), F().tbToolBar->Bouton("Copy")->isEnabled(),
                             F().Legende->font().bold(), F().Legende->font().pointSize()),
                  std::tuple(false, false, false, true, true, 9));
        EXPECT_EQ(dialogues_.langue, std::stoi(langue));
    }
    EXPECT_EQ(F().mnuFileNew->text(), "&Nouvelle identification");
    EXPECT_EQ(F().Legende->text(), " 5 espèces à 0 %");
    ASSERT_NE(F().tbToolBar->Bouton("Contra"), nullptr);
    EXPECT_EQ(F().tbToolBar->Bouton("Contra")->text(), "Erreurs");
    auto* deter = static_cast<Barre_Boutons*>(F().Barre_Deter);
    ASSERT_TRUE(deter->Bouton_A(1) && deter->Bouton_A(3));
    EXPECT_EQ(deter->Bouton_A(1)->text() + deter->Bouton_A(1)->toolTip(), "FeuilleLa feuille");
    EXPECT_EQ(deter->Bouton_A(3)->text(), "Search");  // no translation: the base's own caption
    ASSERT_NE(static_cast<Barre_Boutons*>(F().Barre_Question)->Bouton_A(1), nullptr);
    EXPECT_EQ(static_cast<Barre_Boutons*>(F().Barre_Question)->Bouton_A(1)->toolTip(), "Valider");
    QTest::mouseClick(deter->Bouton_A(1), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return F().Pic_Choix->isVisible(); }, 5000));
    EXPECT_EQ(F().sbStatusBar->Texte_Panneau1(), "Comment est la feuille ?");
    const QSize taille = F().Pic_Choix->size();
    QTest::mouseMove(F().windowHandle(),
                     F().Pic_Choix->mapTo(&F(), QPoint(taille.width() / 6, taille.height() / 2)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return F().Pic_Choix->toolTip() == "Feuille simple"; }, 5000))
        << F().Pic_Choix->toolTip().toStdString();
}

// What stops the load ends the start with one message (its texts are the loader's tests'); what
// it passes over is told once, with the window on screen.
TEST_F(FenetreTest, ABaseThatDoesNotLoadEndsTheStartWithAMessage) {
    const std::string base = fs::canonical(Base()).string();
    const struct {
        std::function<void()> dommage;
        std::string message;
    } cas[] = {
        {[&] { fs::remove(Base() / "base.sqlite"); }, base + "/base.sqlite, Erreur N° 14"},
        {[&] { fs::remove(Base() / "POIDS.DAT"); }, base + "/POIDS.DAT"},
        {[&] { fs::resize_file(Base() / "MATRICE.DAT", 10); }, std::string(*Chaine(1070, 0))},
        {[&] { Modifie("DELETE FROM Parametres WHERE Nom = 'Nb_Esp';"); },
         "this knowledge base has no species"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.message);
        Ferme();
        Copie();
        c.dommage();
        dialogues_.messages.clear();
        dialogues_.reponses = {Reponse::OK};
        EXPECT_EQ(Lance(), 1);
        ASSERT_EQ(dialogues_.messages.size(), 1u);
        EXPECT_TRUE(dialogues_.messages[0].texte.contains(QString::fromStdString(c.message)))
            << dialogues_.messages[0].texte.toStdString();
        EXPECT_EQ(dialogues_.messages[0].boutons, Boutons::OK);
    }

    Copie();
    Modifie("INSERT INTO Objets_Fic VALUES ('CROWN', 3, 40, 2, 1, 2, 0, 'crown', 'Crown?', 1);");
    dialogues_.messages.clear();
    dialogues_.reponses = {Reponse::OK};
    ASSERT_EQ(Lance(), 0);
    ASSERT_EQ(dialogues_.messages.size(), 1u);
    EXPECT_TRUE(dialogues_.messages[0].fenetre_visible);
    EXPECT_EQ(dialogues_.messages[0].titre, F().windowTitle());
    EXPECT_TRUE(dialogues_.messages[0].texte.contains("Objets_Fic row \"CROWN\" has states 40 .. 41"));
    F().mnuViewResults->trigger();
    EXPECT_EQ(dialogues_.messages.size(), 1u);  // once
}

TEST_F(FenetreTest, SecondInstanceAsksAndNoEndsBeforeLoading) {
    QLockFile autre(QString::fromStdString(options_.verrou_instance));
    ASSERT_TRUE(autre.tryLock(0));
    dialogues_.reponses = {Reponse::Non};
    EXPECT_EQ(Lance(), 2);
    ASSERT_EQ(dialogues_.messages.size(), 1u);
    EXPECT_EQ(std::tuple(dialogues_.messages[0].texte.toStdString(), dialogues_.messages[0].boutons, F().Base()),
              std::tuple(std::string(*Chaine(1067, 0)), Boutons::Oui_Non, nullptr));

    dialogues_.reponses = {Reponse::Oui, Reponse::OK};
    EXPECT_EQ(Lance(), 0);
    ASSERT_EQ(dialogues_.messages.size(), 3u);
    EXPECT_EQ(dialogues_.messages[2].texte.toStdString(), std::string(*Chaine(1068, 0)));
    EXPECT_NE(F().Base(), nullptr);

    // The first instance quits; the second still runs, so a third start is warned.
    autre.unlock();
    Sub_Main troisieme(magasin_, dialogues_, options_);
    dialogues_.reponses = {Reponse::Non};
    EXPECT_EQ(troisieme.Lance(), 2);
    ASSERT_EQ(dialogues_.messages.size(), 4u);
}

// Quit asks once when nothing changed; with changes, Quit, New and Open ask whether to save
// first, and when the save does not happen (its dialog cancelled, or the write failing), the
// command stops and nothing is lost.
TEST_F(FenetreTest, QuitNewAndOpenAskAndAnUnsavedIdentificationIsNeverLost) {
    ASSERT_EQ(Lance(), 0);
    dialogues_.reponses = {Reponse::Non};
    F().close();
    EXPECT_TRUE(F().isVisible());
    ASSERT_FALSE(dialogues_.messages.empty());
    EXPECT_EQ(dialogues_.messages.back().texte.toStdString(), std::string(*Chaine(1071, 0)));

    Repond("LEAF", 1);
    const fs::path occupe = dossier_ / "occupied.ido";  // a folder: nothing can be written there
    fs::create_directories(occupe / "inside");
    const std::function<void()> commandes[] = {[&] { F().close(); }, [&] { F().Traiter_Fichier("New"); },
                                               [&] { F().Traiter_Fichier("Open"); }};
    for (int c = 0; c < 3; ++c) {
        for (const bool echec_ecriture : {false, true}) {
            SCOPED_TRACE(std::to_string(c) + (echec_ecriture ? " failed write" : " cancelled"));
            dialogues_.reponses = {Reponse::Oui};
            if (c == 0)
                dialogues_.reponses.push_front(Reponse::Oui);  // yes, quit
            if (echec_ecriture)
                dialogues_.reponses.push_back(Reponse::OK);  // the failure is told
            dialogues_.fichiers = {echec_ecriture ? std::optional(QString::fromStdString(occupe.string()))
                                                  : std::nullopt};
            commandes[c]();
            // Still open and changed, no file (the next Save asks for a name again), all asked.
            EXPECT_EQ(std::tuple(F().isVisible(), F().Identification()->Identification_Modifiee(), Premiere_Ligne(),
                                 F().windowTitle(), F().Fichier_Courant(),
                                 dialogues_.reponses.empty() && dialogues_.fichiers.empty()),
                      std::tuple(true, true, " 100% - Fraxinus excelsior", F().Titre_Fenetre(), QString(), true));
        }
    }
    EXPECT_EQ(dialogues_.questions_sans_reponse, 0);
    EXPECT_TRUE(fs::is_directory(occupe / "inside"));

    dialogues_.reponses = {Reponse::Oui, Reponse::Annuler};  // quit? save? cancel
    F().close();
    EXPECT_TRUE(F().isVisible());
    ASSERT_FALSE(dialogues_.messages.empty());
    EXPECT_EQ(dialogues_.messages.back().boutons, Boutons::Oui_Non_Annuler);
    dialogues_.reponses = {Reponse::Oui, Reponse::Non};
    F().close();
    EXPECT_FALSE(F().isVisible());
}

TEST_F(FenetreTest, ViewsShowTheirPanesAndDocumentButtons) {
    ASSERT_EQ(Lance(), 0);
    ASSERT_NE(F().tbToolBar->Bouton("Copy"), nullptr);
    Barre_Principale& barre = *F().tbToolBar;
    for (int p = 13; p <= 22; ++p) EXPECT_FALSE(barre.Position(p)->isVisible()) << p;

    for (int fois = 0; fois < 2; ++fois) {  // the entry already checked changes nothing
        F().mnuViewResults->trigger();
        EXPECT_EQ(F().Mode_Affichage(), 3);
        EXPECT_TRUE(F().mnuViewResults->isChecked());
    }
    EXPECT_EQ(Visibles(), "Small_Robot Liste_Esp WebTexte");
    EXPECT_FALSE(F().mnuViewIdentification->isChecked());
    for (int p = 13; p <= 22; ++p) EXPECT_EQ(barre.Position(p)->isVisible(), p <= 18) << p;
    EXPECT_FALSE(barre.Bouton("Copy")->isEnabled());

    F().mnuViewSpecies->trigger();
    EXPECT_EQ(F().Mode_Affichage(), 4);
    EXPECT_EQ(Visibles(), "Small_Robot WebTexte Tree_esp");

    QTest::mouseClick(F().Small_Robot, Qt::LeftButton);
    EXPECT_EQ(F().Mode_Affichage(), 1);
    EXPECT_EQ(Visibles(), "Robot Barre_Deter");
    for (int p = 13; p <= 22; ++p) EXPECT_FALSE(barre.Position(p)->isVisible()) << p;
    EXPECT_TRUE(barre.Bouton("Copy")->isEnabled());

    // Documents over the web: eight document buttons.
    magasin_.valeurs["Options/Distribution"] = "http";
    ASSERT_EQ(Lance(), 0);
    F().mnuViewSpecies->trigger();
    for (int p = 13; p <= 21; ++p) EXPECT_EQ(F().tbToolBar->Position(p)->isVisible(), p <= 20) << p;
}

// Where each pane goes is Disposition's; here, that the window lays out again when it is resized
// and when a bar is shown or hidden, never gets too small to show the bars whole, and where the
// screen itself is too small for a bar, the bar scrolls above the status bar.
TEST_F(FenetreTest, LayoutFollowsTheWindowAndItsBarsShowWholeOrScroll) {
    ASSERT_EQ(Lance(), 0);
    F().showNormal();
    for (const QSize taille : {QSize(1200, 800), QSize(600, 800)}) {
        F().resize(taille);
        QApplication::processEvents();
        // The bar's left edge in the portrait's coordinates (it lies in its scrolling area).
        EXPECT_LE(F().Robot->geometry().right(),
                  F().Barre_Deter->mapTo(F().Robot->parentWidget(), QPoint(0, 0)).x())
            << taille.width();
    }
    F().resize(1600, 700);
    QApplication::processEvents();
    const int hauteur = F().Robot->height();
    const int haut = F().Robot->y();
    F().mnuViewToolbar->trigger();
    EXPECT_FALSE(F().tbToolBar->isVisible());
    EXPECT_GT(F().Robot->height(), hauteur);
    EXPECT_LT(F().Robot->y(), haut);
    F().mnuViewStatusBar->trigger();
    EXPECT_FALSE(F().Resultat->isVisible());

    std::string boutons = "UPDATE Parametres SET Etat = '40' WHERE Nom = 'Nb_But_Deter';";
    for (int b = 4; b <= 40; ++b)
        boutons += "INSERT INTO But_Deter VALUES (" + std::to_string(b) + ", 'Leaf', '', '', 'LEAF');";
    for (const bool longue : {false, true}) {
        SCOPED_TRACE(longue ? "taller than the screen" : "three buttons");
        Ferme();
        Copie();
        if (longue)
            Modifie(boutons);
        ASSERT_EQ(Lance(), 0);
        F().resize(120, 90);
        QApplication::processEvents();
        auto& barre = *F().Barre_Deter;
        auto* zone = qobject_cast<QScrollArea*>(barre.parentWidget()->parentWidget());
        ASSERT_NE(zone, nullptr);
        EXPECT_LE(zone->mapTo(&F(), QPoint(0, zone->height())).y(),
                  F().sbStatusBar->mapTo(&F(), QPoint(0, 0)).y());
        if (!longue) {
            EXPECT_GE(F().height(), F().minimumHeight());
            EXPECT_EQ(barre.visibleRegion().boundingRect(), barre.rect());
            EXPECT_FALSE(zone->verticalScrollBar()->isVisible());
            continue;
        }
        // The window takes the screen's height and the bar scrolls to its end.
        EXPECT_LT(zone->height(), barre.height());
        ASSERT_TRUE(zone->verticalScrollBar()->isVisible());
        QToolButton* dernier = qobject_cast<Barre_Boutons*>(&barre)->Bouton_A(79);
        ASSERT_NE(dernier, nullptr);
        zone->verticalScrollBar()->setValue(zone->verticalScrollBar()->maximum());
        EXPECT_TRUE(
            zone->viewport()->rect().contains(dernier->mapTo(zone->viewport(), dernier->rect().center())));
    }
}

// The options dialog's OK reaches the window: the list is filtered again (keeping the label) and
// the search takes the new strategy. What the dialog stores is its own tests'.
TEST_F(FenetreTest, OptionsReachTheListAndTheSearch) {
    magasin_.valeurs["Options/Strategie"] = "applicable";
    ASSERT_EQ(Lance(), 0);
    EXPECT_EQ(F().Identification()->Strategie(), Strategie_Recherche::Applicable);
    Repond("LEAF", 1);  // pinnate: only the ash reaches 100 %
    ASSERT_EQ(Lignes().size(), 5u);
    const QString label = F().Legende->text();
    QTimer::singleShot(0, [] {
        auto* options = qobject_cast<frmOptions*>(QApplication::activeModalWidget());
        ASSERT_NE(options, nullptr);
        for (QRadioButton* bouton : {options->Option1, options->Option8})
            QTest::mouseClick(bouton, Qt::LeftButton, Qt::NoModifier, QPoint(8, bouton->height() / 2));
        options->Reglage_Valeur->setValue(50);
        QTest::mouseClick(options->cmdOK, Qt::LeftButton);
    });
    F().mnuViewOptions->trigger();
    EXPECT_EQ(Lignes(), (std::vector<std::string>{" 100% - Fraxinus excelsior"}));
    EXPECT_EQ(F().Legende->text(), label);
    EXPECT_EQ(F().Identification()->Strategie(), Strategie_Recherche::Entropie);
}

// Save asks for a name and puts it in the caption; New and Open follow; a missing file is said;
// a path given in quotes on the command line is opened without them.
TEST_F(FenetreTest, SaveNewOpenAndTheCommandLine) {
    ASSERT_EQ(Lance(), 0);
    Repond("LEAF", 1);
    ASSERT_NE(F().tbToolBar->Bouton("Save"), nullptr);
    EXPECT_EQ(std::tuple(F().mnuFileSaveAs->isEnabled(), F().tbToolBar->Bouton("Save")->isEnabled()), std::tuple(true, true));
    const QString fichier = QString::fromStdString((dossier_ / "Saved ID.ido").string());
    dialogues_.fichiers.push_back(fichier);
    F().Traiter_Fichier("Save");
    ASSERT_FALSE(dialogues_.titres_fichiers.empty() || dialogues_.filtres_fichiers.empty());
    EXPECT_EQ(dialogues_.titres_fichiers.back().toStdString(), std::string(*Chaine(1025, 0)));
    EXPECT_EQ(dialogues_.filtres_fichiers.back().toStdString(), std::string(*Chaine(1052, 0)));
    EXPECT_EQ(F().windowTitle(), F().Titre_Fenetre() + " [" + fichier + "]");
    EXPECT_EQ(std::tuple(F().Identification()->Identification_Modifiee(), F().tbToolBar->Bouton("Save")->isEnabled()),
              std::tuple(false, false));

    F().Traiter_Fichier("New");  // unchanged: no question
    EXPECT_EQ(F().windowTitle(), F().Titre_Fenetre());
    EXPECT_EQ(Premiere_Ligne(), " 0% - Acer pseudoplatanus");
    F().Traiter_Fichier("Open", fichier);
    EXPECT_EQ(Premiere_Ligne(), " 100% - Fraxinus excelsior");
    EXPECT_EQ(F().windowTitle(), F().Titre_Fenetre() + " [" + fichier + "]");

    dialogues_.reponses = {Reponse::OK};
    F().Traiter_Fichier("Open", "/no/such/file.ido");
    ASSERT_FALSE(dialogues_.messages.empty());
    EXPECT_EQ(dialogues_.messages.back().texte, "/no/such/file.ido unavailable !");

    // A changed identification and New: Cancel keeps everything.
    Repond("FRUIT", 1);
    dialogues_.reponses = {Reponse::Annuler};
    F().Traiter_Fichier("New");
    ASSERT_FALSE(dialogues_.messages.empty());
    EXPECT_EQ(dialogues_.messages.back().titre.toStdString(), std::string(*Chaine(1023, 0)));
    EXPECT_TRUE(F().Identification()->Identification_Modifiee());

    Ferme();
    options_.ligne_commande = "\"" + fichier + "\"";
    ASSERT_EQ(Lance(), 0);
    EXPECT_EQ(Premiere_Ligne(), " 100% - Fraxinus excelsior");
    EXPECT_EQ(F().Fichier_Courant(), fichier);  // the case of the name is kept
}

// Search opens the chooser with the question bar's Next button, which every other opening hides:
// the bar grows to show it instead of pushing it into an overflow menu.
TEST_F(FenetreTest, SearchShowsTheNextButtonWholeOnTheQuestionBar) {
    Images();
    ASSERT_EQ(Lance(), 0);
    auto* deter = qobject_cast<Barre_Boutons*>(F().Barre_Deter);
    auto* question = qobject_cast<Barre_Boutons*>(F().Barre_Question);
    ASSERT_TRUE(deter && question && deter->Bouton_A(1) && deter->Bouton_A(3) && question->Bouton_A(5));
    // Leaf (Next hidden), back to the portrait, then Search (Next shown).
    QTest::mouseClick(deter->Bouton_A(1), Qt::LeftButton);
    EXPECT_FALSE(question->Bouton_A(5)->isVisible());
    ASSERT_NE(question->Bouton_A(3), nullptr);
    QTest::mouseClick(question->Bouton_A(3), Qt::LeftButton);
    QTest::mouseClick(deter->Bouton_A(3), Qt::LeftButton);
    ASSERT_TRUE(question->isVisible());
    QToolButton* suivant = question->Bouton_A(5);
    EXPECT_TRUE(suivant->isVisible());
    EXPECT_TRUE(question->rect().contains(suivant->geometry()));
    for (auto* extension : question->findChildren<QToolButton*>("qt_toolbar_ext_button"))
        EXPECT_FALSE(extension->isVisible());
}

// The document view as a user drives it: a click on a line opens its species once; Copy is off
// where it copies nothing and the status text goes with the view; Refresh and the bars' toggles
// reload the page; Print on the drawing page prints the drawing (a document made at once on the
// 300-dpi grid), not the page.
TEST_F(FenetreTest, TheDocumentViewOpensOnceReloadsAndPrintsTheDrawingOfItsDrawingPage) {
    Images();
    for (const char* nom : {"a/aceps/aceps_en", "f/fagsy/fagsy_en", "f/fagsy/dessin_fagsy_en"}) {
        const fs::path page = dossier_ / "base" / "documents" / (std::string(nom) + ".html");
        fs::create_directories(page.parent_path());
        std::ofstream(page) << "<html><body><p>" << nom << "</p></body></html>";
    }
    ASSERT_EQ(Lance(), 0);
    ASSERT_TRUE(F().tbToolBar->Bouton("Copy") && qobject_cast<Barre_Boutons*>(F().Barre_Deter)->Bouton_A(1));
    auto copie = [&] {
        return std::tuple{F().tbToolBar->Bouton("Copy")->isEnabled(), F().mnuEditCopy->isEnabled()};
    };
    QTest::mouseClick(qobject_cast<Barre_Boutons*>(F().Barre_Deter)->Bouton_A(1), Qt::LeftButton);
    ASSERT_EQ(F().sbStatusBar->Texte_Panneau1(), "What is the leaf like?");
    EXPECT_EQ(copie(), std::tuple(true, true));  // the state picture
    F().mnuViewSpecies->trigger();
    EXPECT_EQ(F().sbStatusBar->Texte_Panneau1(), "");
    EXPECT_EQ(copie(), std::tuple(false, false));
    F().mnuViewResults->trigger();
    EXPECT_EQ(copie(), std::tuple(false, false));

    WebTexte& vue = F().Documents_Especes()->Vue();
    ASSERT_TRUE(QTest::qWaitFor([&] { return vue.Termine(); }, 10000));
    QSignalSpy pages(&vue, &WebTexte::DocumentComplete);
    auto attend_page = [&](int avant) {
        return QTest::qWaitFor([&] { return vue.Termine() && pages.count() > avant; }, 10000);
    };
    QTreeView& liste = *F().Liste_Esp;
    ASSERT_GE(liste.model()->rowCount(), 3);
    for (int fois = 0; fois < 2; ++fois) {  // the beech's line, then the same line again
        const int avant = pages.count();
        // A hand's click: the button comes up a moment after it went down.
        const QPoint point = liste.visualRect(liste.model()->index(2, 0)).center();
        QTest::mousePress(liste.viewport(), Qt::LeftButton, {}, point);
        QTest::qWait(150);
        QTest::mouseRelease(liste.viewport(), Qt::LeftButton, {}, point);
        ASSERT_TRUE(attend_page(avant));
        QTest::qWait(300);
        EXPECT_EQ(pages.count() - avant, 1) << fois;
    }
    for (QAction* entree : {F().mnuViewRefresh, F().mnuViewToolbar, F().mnuViewStatusBar}) {
        const int avant = pages.count();
        entree->trigger();
        EXPECT_TRUE(attend_page(avant)) << entree->objectName().toStdString();
    }

    ASSERT_EQ(F().Documents_Especes()->Etat().Code_Esp_Courant, "FAGSY");
    vue.Navigate2(QUrl::fromLocalFile(QString::fromStdString(
                      (dossier_ / "base/documents/f/fagsy/dessin_fagsy_en.html").string())),
                  false);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return vue.Termine() && vue.LocationURL().endsWith("dessin_fagsy_en.html"); }, 10000));
    QSignalSpy page_imprimee(F().Documents_Especes(), &Documents::Impression_Terminee);
    const QString pdf = QString::fromStdString((dossier_ / "dessin.pdf").string());
    dialogues_.fichier_impression = pdf;
    dialogues_.imprimantes = {true};
    F().mnuFilePrint->trigger();
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    QTest::qWait(200);
    EXPECT_EQ(page_imprimee.count(), 0);
    F().mnuViewIdentification->trigger();
    EXPECT_EQ(copie(), std::tuple(true, true));
}

}  // namespace
}  // namespace kestrane
