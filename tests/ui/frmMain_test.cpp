#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <functional>
#include <tuple>

#include "Barre_Boutons.h"
#include "Barre_Etat.h"
#include "Barre_Principale.h"
#include "Documents.h"
#include "Fenetre_Petite.h"
#include "Modele_Liste_Esp.h"
#include "Table_Chaines.h"
#include "WebTexte.h"
#include "frmOptions.h"

namespace kestrane {
namespace {

namespace fs = std::filesystem;

class FenetreTest : public test::Fenetre_Petite {
  protected:
    std::vector<std::string> Lignes() { return static_cast<Modele_Liste_Esp*>(F().Liste_Esp->model())->Lignes(); }
    // The list's first line; "" (a failure, not a crash) when the list is empty.
    std::string Premiere_Ligne() { return Lignes().empty() ? std::string() : Lignes().front(); }
    Barre_Boutons& Deter() { return *static_cast<Barre_Boutons*>(F().Barre_Deter); }
    // Where every shown control is, one line each.
    std::string Places() {
        QString places;
        for (const QWidget* w : F().findChildren<QWidget*>())
            if (w->isVisible() && !w->objectName().isEmpty())
                places += QStringLiteral("%1 %2,%3 %4x%5\n")
                              .arg(w->objectName())
                              .arg(w->x())
                              .arg(w->y())
                              .arg(w->width())
                              .arg(w->height());
        return places.toStdString();
    }
    // The menus as the user reads them, one a line: the title, then the entries with their shortcuts, "-" a
    // separator.
    std::string Plan_Menus() {
        QString plan;
        for (QAction* menu : F().menuBar()->actions()) {
            plan += "\n" + menu->text() + ":";
            for (QAction* a : menu->menu()->actions())
                plan += a->isSeparator() ? QStringLiteral(" -")
                                         : " " + a->text() + " " + a->shortcut().toString() + ";";
        }
        return plan.toStdString();
    }
};

// English, then French: the window's texts and fonts, the dialogs' and the base's texts.
TEST_F(FenetreTest, StartsOnTheBaseInTheUsersLanguage) {
    for (const char* langue : {"0", "2"}) {
        SCOPED_TRACE(langue);
        magasin_.valeurs["Options/Langue"] = langue;
        ASSERT_EQ(Lance(), 0);
        // Nothing to save yet; the label in 9-point bold whatever the language's font.
        EXPECT_EQ(std::tuple(dialogues_.messages.size(), F().Mode_Affichage(), Visibles(), Lignes().size(),
                             dialogues_.langue, F().mnuFileSave->isEnabled(), F().mnuFileSaveAs->isEnabled(),
                             F().Legende->font().bold(), F().Legende->font().pointSize()),
                  std::tuple(0u, 1, "Robot Barre_Deter", 4u, std::stoi(langue), false, false, true, 9));
        const std::string places = Places();
        F().Positionne_Controles();
        EXPECT_EQ(Places(), places);  // shown laid out: a second pass moves nothing
    }
    QToolButton* question = static_cast<Barre_Boutons*>(F().Barre_Question)->Bouton_A(1);
    ASSERT_TRUE(F().tbToolBar->Bouton("Contra") && Deter().Bouton_A(1) && question);
    for (QWidget* w : {F().Robot, static_cast<QWidget*>(Deter().Bouton_A(1))})  // nothing covers them
        EXPECT_EQ(F().childAt(w->mapTo(&F(), w->rect().center())), w) << w->objectName().toStdString();
    EXPECT_EQ(QStringList({F().mnuFileNew->text(), F().Legende->text(), F().tbToolBar->Bouton("Contra")->text(),
                           question->toolTip()}),
              QStringList({"&Nouvelle identification", " 4 espèces à 0 %", "Erreurs", "Valider"}));
    EXPECT_EQ(
        Plan_Menus(),
        "\n&Fichier: &Nouvelle identification Ctrl+N; &Ouvrir une identification Ctrl+O; - &Enregistrer une "
        "identification Ctrl+S; En&registrer une identification sous ... Ctrl+Shift+S; - &Imprimer Ctrl+P; - "
        "&Quitter Ctrl+Q;"
        "\n&Edit: &Annuler Ctrl+Z; &Rétablir Ctrl+Shift+Z; - &Mettre en icône ; &Copier Ctrl+C; - &Chercher "
        "une espèce "
        "par son nom Ctrl+F;\n&Aller à ...: &Identification ; &Résultats ; &Liste des espèces ; &Questions à "
        "poser Ctrl+L; "
        "- &Barre d'outils ; &Barre d'état ; Réponses &données\tF9 ; - &Rafraîchir l'écran F5; &Options ... ;"
        "\n&Aide: &Contenu de l'aide F1; - &A propos ... ;");
    QTest::mouseClick(Deter().Bouton_A(1), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return F().Pic_Choix->isVisible(); }, 5000));
    EXPECT_EQ(std::tuple(F().sbStatusBar->Texte_Panneau1().toStdString(), F().mnuEditCopy->isEnabled()),
              std::tuple("Quel type de feuilles ?", true));  // Copy copies the state picture
    F().mnuViewSpecies->trigger();  // the status text goes with the view
    EXPECT_EQ(F().sbStatusBar->Texte_Panneau1(), "");
}

// What stops the load ends the start with one message (the loader's, or the window's for unreadable
// weights or matrix); what it passes over is told once, with the window on screen.
TEST_F(FenetreTest, WhatStopsTheLoadEndsTheStartAndWhatItPassesOverIsToldOnce) {
    const struct {
        std::function<void()> dommage;
        int statut;
        std::string message;
    } cas[] = {
        {[&] { fs::remove(Dossier() / "data/kestrane.sqlite"); }, 1, "data/kestrane.sqlite, Erreur N° 14"},
        {[&] { fs::resize_file(Dossier() / "data/POIDS.DAT", 10); }, 1, std::string(*Chaine(1069, 0))},
        {[&] { fs::resize_file(Dossier() / "data/MATRICE.DAT", 10); }, 1, std::string(*Chaine(1070, 0))},
        {[&] { fs::remove(Dossier() / "robot/00/ground01.wmf"); }, 1, "ground01.wmf"},
        {[&] { base_->Execute_SQL("INSERT INTO Objets_Fic VALUES ('CROWN', 4, 40, 2, 1, 2, 0, 'c', 'Crown?', 1);"); },
         0, "Objets_Fic row \"CROWN\" has states 40 .. 41"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.message);
        Copie();
        c.dommage();
        dialogues_.messages.clear();
        dialogues_.reponses = {Reponse::OK};
        ASSERT_EQ(Lance(), c.statut);
        if (c.statut == 0) F().mnuViewResults->trigger();  // told once
        ASSERT_EQ(dialogues_.messages.size(), 1u);
        const auto& m = dialogues_.messages[0];
        EXPECT_TRUE(m.texte.contains(QString::fromStdString(c.message))) << m.texte.toStdString();
        EXPECT_EQ(std::tuple(m.boutons, m.fenetre_visible), std::tuple(Boutons::OK, c.statut == 0));
        if (c.statut == 0) { EXPECT_EQ(m.titre, F().windowTitle()); }
    }
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
    EXPECT_EQ(std::tuple(dialogues_.messages[2].texte.toStdString(), F().Base() != nullptr),
              std::tuple(std::string(*Chaine(1068, 0)), true));

    // The first instance quits; the second still runs, so a third start is warned.
    autre.unlock();
    Sub_Main troisieme(magasin_, dialogues_, options_);
    dialogues_.reponses = {Reponse::Non};
    EXPECT_EQ(troisieme.Lance(), 2);
    ASSERT_EQ(dialogues_.messages.size(), 4u);
}

// Each view from its menu entry (twice: checked, it changes nothing) or the small portrait's click:
// its panes, its document buttons (six on the hard disk, eight over the web) and Copy.
TEST_F(FenetreTest, ViewsShowTheirPanesAndDocumentButtons) {
    const char* panes[] = {"", "Robot Barre_Deter", "", "Small_Robot Liste_Esp WebTexte", "Small_Robot WebTexte Tree_esp"};
    for (const bool web : {false, true}) {
        magasin_.valeurs["Options/Distribution"] = web ? "http" : "hd";
        ASSERT_EQ(Lance(), 0);
        Barre_Principale& barre = *F().tbToolBar;
        ASSERT_NE(barre.Bouton("Copy"), nullptr);
        // Each entry and the view it shows; nullptr: a click on the small portrait.
        const std::pair<QAction*, int> vues[] = {{F().mnuViewIdentification, 1}, {F().mnuViewResults, 3},
                                                 {F().mnuViewResults, 3},        {F().mnuViewSpecies, 4},
                                                 {nullptr, 1},                   {F().mnuViewResults, 3},
                                                 {F().mnuViewIdentification, 1}};
        for (const auto& [entree, mode] : vues) {
            SCOPED_TRACE(std::to_string(web) + " " + panes[mode]);
            if (entree) entree->trigger();
            else QTest::mouseClick(F().Small_Robot, Qt::LeftButton);
            EXPECT_EQ(std::tuple(F().Mode_Affichage(), Visibles(), F().mnuViewResults->isChecked(),
                                 F().mnuViewIdentification->isChecked(), barre.Bouton("Copy")->isEnabled(),
                                 F().mnuEditCopy->isEnabled()),
                      std::tuple(mode, panes[mode], mode == 3, mode == 1, mode == 1, mode == 1));
            for (int p = 13; p <= 22; ++p)
                EXPECT_EQ(barre.Position(p)->isVisible(), mode != 1 && p <= (web ? 20 : 18)) << p;
        }
    }
}

// Where each pane goes is Disposition's; here, that the window lays out again when a bar is toggled
// or it is resized, never too small to show the bars whole, else the bar scrolls.
TEST_F(FenetreTest, LayoutFollowsTheWindowAndItsBarsShowWholeOrScroll) {
    ASSERT_EQ(Lance(), 0);
    // At the start and when the desktop's working area changes, the frame fills it: the title bar
    // stays on the screen.
    EXPECT_EQ(F().frameGeometry(), F().screen()->availableGeometry());
    emit F().screen()->availableGeometryChanged(QRect(40, 30, 1000, 650));
    EXPECT_EQ(F().frameGeometry(), QRect(40, 30, 1000, 650));
    F().showNormal();
    F().resize(1600, 700);
    QApplication::processEvents();
    const QRect portrait = F().Robot->geometry();
    F().mnuViewToolbar->trigger();
    EXPECT_EQ(std::tuple(F().tbToolBar->isVisible(), F().Robot->height() > portrait.height(), F().Robot->y() < portrait.y()),
              std::tuple(false, true, true));
    F().mnuViewStatusBar->trigger();
    EXPECT_FALSE(F().Resultat->isVisible());

    std::string sql = "UPDATE Parametres SET Etat = '40' WHERE Nom = 'Nb_But_Deter';";  // 36 buttons more
    for (int b = 5; b <= 40; ++b) sql += "INSERT INTO But_Deter VALUES (" + std::to_string(b) + ", 'F', '', '', 'Fruit');";
    for (const bool longue : {false, true}) {
        SCOPED_TRACE(longue ? "taller than the screen" : "four buttons");
        Copie();
        if (longue) base_->Execute_SQL(sql);
        ASSERT_EQ(Lance(), 0);
        F().resize(120, 90);
        QApplication::processEvents();
        auto* zone = qobject_cast<QScrollArea*>(Deter().parentWidget()->parentWidget());
        ASSERT_NE(zone, nullptr);
        EXPECT_LE(zone->mapTo(&F(), QPoint(0, zone->height())).y(), F().sbStatusBar->mapTo(&F(), QPoint(0, 0)).y());
        if (!longue) {
            EXPECT_EQ(std::tuple(Deter().visibleRegion().boundingRect(), zone->verticalScrollBar()->isVisible()),
                      std::tuple(Deter().rect(), false));
            continue;
        }
        // The window takes the screen's height and the bar scrolls to its end.
        EXPECT_LT(zone->height(), Deter().height());
        ASSERT_TRUE(zone->verticalScrollBar()->isVisible());
        QToolButton* dernier = Deter().Bouton_A(79);
        ASSERT_NE(dernier, nullptr);
        zone->verticalScrollBar()->setValue(zone->verticalScrollBar()->maximum());
        EXPECT_TRUE(zone->viewport()->rect().contains(dernier->mapTo(zone->viewport(), dernier->rect().center())));
    }
}

// The options dialog's OK reaches the window: the list is filtered again (keeping the label) and
// the search takes the new strategy.
TEST_F(FenetreTest, OptionsReachTheListAndTheSearch) {
    magasin_.valeurs["Options/Strategie"] = "applicable";
    ASSERT_EQ(Lance(), 0);
    EXPECT_EQ(F().Identification()->Strategie(), Strategie_Recherche::Applicable);
    Confirme("Fruit", 0);  // a single key: only the ash reaches 100 %
    ASSERT_EQ(Lignes().size(), 4u);
    const QString label = F().Legende->text();
    QTimer::singleShot(0, [] {
        auto* options = qobject_cast<frmOptions*>(QApplication::activeModalWidget());
        ASSERT_NE(options, nullptr);
        for (QRadioButton* bouton : {options->Option1, options->Option8, options->Option5})
            QTest::mouseClick(bouton, Qt::LeftButton, Qt::NoModifier, QPoint(8, bouton->height() / 2));
        options->Reglage_Valeur->setValue(50);
        QTest::mouseClick(options->cmdOK, Qt::LeftButton);
    });
    F().mnuViewOptions->trigger();
    // The label speaks French at once (the count kept).
    auto texte = [](int langue) { return QString::fromUtf8(Chaine(1500, langue)->data(), Chaine(1500, langue)->size()); };
    const QString francais = QString(label).replace(texte(0), texte(2));
    EXPECT_NE(francais, label);
    EXPECT_EQ(std::tuple(Lignes(), F().Legende->text(), F().Identification()->Strategie()),
              std::tuple(std::vector<std::string>{" 100% - Fraxinus excelsior"}, francais, Strategie_Recherche::Entropie));
}

// With changes, Quit, New and Open ask to save first, and stop when the save does not happen (its
// dialog cancelled, or the write failing). Save, New, its undo and Open carry the file to the
// caption and the Save entries; the command line opens a path given in quotes.
TEST_F(FenetreTest, FileCommandsNeverLoseAnUnsavedIdentificationAndCarryTheFileToTheCaption) {
    ASSERT_EQ(Lance(), 0);
    dialogues_.reponses = {Reponse::Non};
    F().close();
    ASSERT_FALSE(dialogues_.messages.empty());
    EXPECT_EQ(std::tuple(F().isVisible(), dialogues_.messages.back().texte.toStdString()),
              std::tuple(true, std::string(*Chaine(1071, 0))));

    Confirme("Fruit", 0);
    ASSERT_NE(F().tbToolBar->Bouton("Save"), nullptr);
    // The caption, the first line, modified, Save (entry and button), Save As, no current file.
    auto vue = [&] {
        return std::tuple(F().windowTitle().toStdString(), Premiere_Ligne(), F().Identification()->Identification_Modifiee(),
                          F().mnuFileSave->isEnabled(), F().tbToolBar->Bouton("Save")->isEnabled(),
                          F().mnuFileSaveAs->isEnabled(), F().Fichier_Courant().isEmpty());
    };
    const std::string titre = F().Titre_Fenetre().toStdString(), frene = " 100% - Fraxinus excelsior";
    const auto modifiee = std::tuple(titre, frene, true, false, true, true, true);  // no file: Save As only
    const fs::path occupe = Dossier() / "occupied.ido";  // a folder: nothing can be written there
    fs::create_directories(occupe / "inside");
    const std::function<void()> commandes[] = {[&] { F().close(); }, [&] { F().Traiter_Fichier("New"); },
                                               [&] { F().Traiter_Fichier("Open"); }};
    for (int c = 0; c < 6; ++c) {  // each command, its save cancelled then failing
        const bool echec_ecriture = c % 2;
        SCOPED_TRACE(std::to_string(c / 2) + (echec_ecriture ? " failed write" : " cancelled"));
        dialogues_.reponses = {Reponse::Oui};
        if (c < 2) dialogues_.reponses.push_front(Reponse::Oui);         // yes, quit
        if (echec_ecriture) dialogues_.reponses.push_back(Reponse::OK);  // the failure is told
        dialogues_.fichiers = {echec_ecriture ? std::optional(QString::fromStdString(occupe.string())) : std::nullopt};
        commandes[c / 2]();
        // Still open and changed, all asked.
        EXPECT_EQ(std::tuple(F().isVisible(), dialogues_.reponses.empty() && dialogues_.fichiers.empty()),
                  std::tuple(true, true));
        EXPECT_EQ(vue(), modifiee);
    }
    EXPECT_TRUE(fs::is_directory(occupe / "inside"));
    dialogues_.reponses = {Reponse::Oui, Reponse::Annuler};  // quit? save? cancel
    F().close();
    ASSERT_FALSE(dialogues_.messages.empty());
    EXPECT_EQ(std::tuple(F().isVisible(), dialogues_.messages.back().boutons), std::tuple(true, Boutons::Oui_Non_Annuler));

    const QString fichier = Chemin("Saved ID.ido");
    const auto enregistree = std::tuple(titre + " [" + fichier.toStdString() + "]", frene, false, false, false, true, false);
    dialogues_.fichiers.push_back(fichier);
    F().Traiter_Fichier("Save");
    EXPECT_EQ(vue(), enregistree);
    // The file dialogs start at home until an identification is saved or opened, then in its folder.
    dialogues_.fichiers.push_back(std::nullopt);
    F().Traiter_Fichier("Open");
    EXPECT_EQ(std::pair(dialogues_.departs_fichiers.front(), dialogues_.departs_fichiers.back()),
              std::pair(QDir::homePath(), QFileInfo(fichier).absolutePath()));
    F().Traiter_Fichier("New");  // unchanged: no question
    EXPECT_EQ(vue(), std::tuple(titre, " 0% - Acer pseudoplatanus", false, false, false, false, true));
    QTest::keyClick(&F(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(vue(), enregistree);
    F().Traiter_Fichier("New");
    F().Traiter_Fichier("Open", fichier);
    EXPECT_EQ(vue(), enregistree);
    dialogues_.messages.clear();
    dialogues_.reponses = {Reponse::OK};
    F().Traiter_Fichier("Open", "/no/such/file.ido");
    ASSERT_EQ(dialogues_.messages.size(), 1u);
    EXPECT_EQ(dialogues_.messages.back().texte, "/no/such/file.ido unavailable !");
    Confirme("Fruit", 1);
    dialogues_.reponses = {Reponse::Oui, Reponse::Non};  // quit? save? no
    F().close();
    EXPECT_EQ(std::tuple(F().isVisible(), dialogues_.questions_sans_reponse), std::tuple(false, 0));

    options_.ligne_commande = "\"" + fichier + "\"";
    ASSERT_EQ(Lance(), 0);
    EXPECT_EQ(std::tuple(Premiere_Ligne(), F().Fichier_Courant()),  // the case of the name is kept
              std::tuple(frene, fichier));
}

// The document view: a click on a line opens its species once; Refresh and the bars' toggles reload
// the page; Print on the drawing page prints the drawing, not the page; Compare with (Ctrl+D, or
// the list's context menu) shows a page in the documents' language, a cancelled choice nothing.
TEST_F(FenetreTest, TheDocumentViewOpensOncePrintsTheDrawingOfItsDrawingPageAndCompares) {
    ASSERT_EQ(Lance(), 0);
    {  // the species view at first: a hint, no page, Back off
        F().mnuViewSpecies->trigger();
        WebTexte& vue = F().Documents_Especes()->Vue();
        ASSERT_TRUE(QTest::qWaitFor([&] { return vue.Termine() && vue.Sans_Page() && !vue.url().isEmpty(); }, 10000));
        QTest::qWait(300);  // the buttons' timer
        EXPECT_FALSE(F().tbToolBar->Bouton("Arriere")->isEnabled());
        // Help, where the desktop cannot open the guide, shows it in the document view.
        QFile guide(Chemin("guide.html"));
        ASSERT_TRUE(guide.open(QIODevice::WriteOnly));
        guide.write("<html><body><h1>Guide</h1></body></html>");
        guide.close();
        QList<QUrl> demandes;
        sub_->Contexte().guide_utilisateur = guide.fileName().toStdString();
        sub_->Contexte().ouvre_adresse = [&](const QUrl& adresse) { demandes << adresse; return false; };
        F().mnuViewIdentification->trigger();
        F().Traiter_Fichier("Help");
        ASSERT_TRUE(QTest::qWaitFor([&] { return vue.Termine() && vue.LocationURL().endsWith("/guide.html"); }, 10000));
        EXPECT_EQ(std::tuple(demandes, F().Mode_Affichage()), std::tuple(QList{QUrl::fromLocalFile(guide.fileName())}, 4));
        F().mnuViewIdentification->trigger();
    }
    F().mnuViewResults->trigger();
    EXPECT_EQ(std::tuple(F().Liste_Esp->contextMenuPolicy(), F().Liste_Esp->actions().contains(F().mnuListCompare)),
              std::tuple(Qt::ActionsContextMenu, true));

    WebTexte& vue = F().Documents_Especes()->Vue();
    ASSERT_TRUE(QTest::qWaitFor([&] { return vue.Termine(); }, 10000));
    QSignalSpy pages(&vue, &WebTexte::DocumentComplete);
    auto attend_page = [&](int avant) {
        return QTest::qWaitFor([&] { return vue.Termine() && pages.count() > avant; }, 10000);
    };
    QTreeView& liste = *F().Liste_Esp;
    ASSERT_GE(liste.model()->rowCount(), 3);
    for (int fois = 0; fois < 2; ++fois) {  // the ash's line, then the same line again
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

    ASSERT_EQ(F().Documents_Especes()->Etat().Code_Esp_Courant, "FREXC");
    vue.Navigate2(QUrl::fromLocalFile(Chemin("documents/f/frexc/dessin_frexc_en.html")), false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return vue.Termine() && vue.LocationURL().endsWith("dessin_frexc_en.html"); }, 10000));
    QSignalSpy page_imprimee(F().Documents_Especes(), &Documents::Impression_Terminee);
    const QString pdf = Chemin("dessin.pdf");
    dialogues_.fichier_impression = pdf;
    dialogues_.imprimantes = {true};
    F().mnuFilePrint->trigger();
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    QTest::qWait(200);
    EXPECT_EQ(page_imprimee.count(), 0);

    // The first line (Acer pseudoplatanus), compared with Pinus sylvestris, picked from the others.
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, liste.visualRect(liste.model()->index(0, 0)).center());
    dialogues_.choix = {2};
    QTest::keyClick(&F(), Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(dialogues_.listes_choix.size(), 1u);
    EXPECT_EQ(dialogues_.listes_choix[0],
              QStringList({"0% - Aesculus hippocastanum", "0% - Fraxinus excelsior", "0% - Pinus sylvestris"}));
    auto comparaison = [&] { return vue.Termine() && vue.LocationURL().endsWith("/compare_acpse_pisyl_en.html"); };
    ASSERT_TRUE(QTest::qWaitFor(comparaison, 10000)) << vue.LocationURL().toStdString();
    QFile page(QUrl(vue.LocationURL()).toLocalFile());
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    // The leaf type differs (broad, needles), each state with its picture.
    const auto differents = html.indexOf("What tells them apart"), communs = html.indexOf("What they share"),
               feuilles = html.indexOf("What kind of leaves?");
    EXPECT_TRUE(html.contains("<h1>Acer pseudoplatanus and Pinus sylvestris</h1>") && differents < feuilles &&
                feuilles < communs && html.indexOf("<img src=\"data:image/png;base64,", feuilles) > feuilles)
        << html.toStdString();
    dialogues_.choix = {std::nullopt};
    QTest::keyClick(&F(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_TRUE(comparaison());
    EXPECT_EQ(dialogues_.questions_sans_reponse, 0);
}

}  // namespace
}  // namespace kestrane
