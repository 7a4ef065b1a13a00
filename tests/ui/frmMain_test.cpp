#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QMimeData>
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
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "Barre_Boutons.h"
#include "Barre_Etat.h"
#include "Barre_Principale.h"
#include "Base_Test.h"
#include "Dialogues_Scriptes.h"
#include "Documents.h"
#include "Magasin_Memoire.h"
#include "Modele_Liste_Esp.h"
#include "Schema_Base.h"
#include "Sub_Main.h"
#include "Table_Chaines.h"
#include "WebTexte.h"
#include "frmOptions.h"

namespace kestrane {
namespace {

namespace fs = std::filesystem;

using test::Magasin_Memoire;

const std::string kPetite = std::string(KESTRANE_FIXTURES) + "/small";

class FenetreTest : public ::testing::Test {
protected:
    void SetUp() override {
        dossier_ = test::Dossier_Temporaire("kestrane-ui");
        options_.verrou_instance = (dossier_ / "kestrane.lock").string();
        options_.registre_machine = kPetite + "/kestrane.ini";
    }
    void TearDown() override {
        Ferme();
        fs::remove_all(dossier_);
    }
    // Ends the running instance, hidden first so that it asks nothing; never two at once.
    void Ferme() {
        if (sub_ && sub_->Fenetre())
            sub_->Fenetre()->hide();
        sub_.reset();
    }

    // A copy of the small base that a test may damage.
    std::string Copie_Base() {
        const fs::path copie = dossier_ / "base";
        fs::copy(kPetite, copie, fs::copy_options::recursive);
        return (copie / "kestrane.ini").string();
    }

    // A copy of the small base with a state picture for each character, so that choosers open.
    std::string Copie_Base_Avec_Images() {
        const std::string ini = Copie_Base();
        fs::create_directories(dossier_ / "base" / "descripteurs");
        for (const char* popup : {"leaf", "arrangement", "fruit"}) {
            QImage image(90, 30, QImage::Format_RGB32);
            image.fill(Qt::white);
            image.save(QString::fromStdString((dossier_ / "base" / "descripteurs" / popup).string()), "PNG");
        }
        return ini;
    }

    // A copy of the small base changed by `sql`.
    std::string Copie_Base_Modifiee(const std::string& sql) {
        const std::string ini = Copie_Base();
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open((dossier_ / "base" / "base.sqlite").string().c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
        return ini;
    }

    int Lance() {
        Ferme();
        sub_ = std::make_unique<Sub_Main>(magasin_, dialogues_, options_);
        return sub_->Lance();
    }
    frmMain& F() { return *sub_->Fenetre(); }
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
        id.Question = Question_Courante::De_Objet(*F().Base()->Trouve_Objet(objet));
        id.Question.Choix = choix;
        ASSERT_TRUE(id.Valid_Descripteur().ok());
        ASSERT_TRUE(id.Actualise_Identification().ok());
    }

    fs::path dossier_;
    Options_Demarrage options_;
    Magasin_Memoire magasin_;
    test::Dialogues_Scriptes dialogues_;
    std::unique_ptr<Sub_Main> sub_;
};

TEST_F(FenetreTest, StartsOnTheBaseInTheIdentificationView) {
    ASSERT_EQ(Lance(), 0);
    EXPECT_TRUE(dialogues_.messages.empty());
    EXPECT_EQ(F().windowTitle().toStdString(), std::string(*Chaine(1050, 0)));
    EXPECT_EQ(F().Mode_Affichage(), 1);
    EXPECT_TRUE(F().Robot->isVisible());
    EXPECT_TRUE(F().Barre_Deter->isVisible());
    EXPECT_FALSE(F().Liste_Esp->isVisible());
    EXPECT_FALSE(F().WebTexte->isVisible());
    // Every species at 0 % in species order, and the label.
    EXPECT_EQ(Lignes(), (std::vector<std::string>{" 0% - Acer pseudoplatanus", " 0% - Aesculus hippocastanum",
                                                  " 0% - Fagus sylvatica", " 0% - Fraxinus excelsior",
                                                  " 0% - Quercus robur"}));
    EXPECT_EQ(F().Legende->text(), " 5 species at 0 %");
    EXPECT_FALSE(F().mnuFileSave->isEnabled());
    EXPECT_FALSE(F().mnuFileSaveAs->isEnabled());
    EXPECT_FALSE(F().tbToolBar->Bouton("Save")->isEnabled());
    EXPECT_TRUE(F().tbToolBar->Bouton("Copy")->isEnabled());
    EXPECT_FALSE(F().Identification()->Identification_Modifiee());
}

TEST_F(FenetreTest, StartsInTheUsersLanguageWithTheResultsLabelBold) {
    for (const char* langue : {"0", "2"}) {
        sub_.reset();
        magasin_.valeurs["Options/Langue"] = langue;
        ASSERT_EQ(Lance(), 0);
        // The window's texts give every control the language's font; the label stays 9-point bold.
        EXPECT_TRUE(F().Legende->font().bold()) << langue;
        EXPECT_EQ(F().Legende->font().pointSize(), 9) << langue;
        EXPECT_EQ(dialogues_.langue, std::stoi(langue));  // the dialogs' own texts follow it
    }
    EXPECT_EQ(F().mnuFileNew->text(), "&Nouvelle identification");
    EXPECT_EQ(F().Legende->text(), " 5 espèces à 0 %");
    EXPECT_EQ(F().tbToolBar->Bouton("Contra")->text(), "Erreurs");
}

TEST_F(FenetreTest, InFrenchTheBaseSpeaksFrenchInTheBarsTheStatusBarAndTheChooser) {
    options_.registre_machine = Copie_Base();
    const fs::path base = dossier_ / "base";
    fs::create_directories(base / "descripteurs");
    fs::copy_file(base / "robot/01/simple.wmf", base / "descripteurs/leaf");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((base / "base.sqlite").string().c_str(), &db), SQLITE_OK);
    const std::string sql = Schema_Traductions_SQL() +
        "INSERT INTO Langues_Textes VALUES ('en', 'English', -1), ('fr', 'French', 0);"
        "INSERT INTO Traductions (Nom_Table, Cle, Champ, Langue, Texte) VALUES"
        " ('Objets_Fic', 'LEAF', 'TipText', 'fr', 'Comment est la feuille ?'),"
        " ('Caracteres', 'LEAF_SIMPLE', 'TipText', 'fr', 'Feuille simple'),"
        " ('But_Deter', '1', 'Caption', 'fr', 'Feuille'), ('But_Deter', '1', 'TipText', 'fr', 'La feuille'),"
        " ('But_Quest', '1', 'TipText', 'fr', 'Valider');";
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK);
    magasin_.valeurs["Options/Langue"] = "2";
    ASSERT_EQ(Lance(), 0);

    auto* deter = static_cast<Barre_Boutons*>(F().Barre_Deter);
    ASSERT_NE(deter->Bouton_A(1), nullptr);
    EXPECT_EQ(deter->Bouton_A(1)->text() + deter->Bouton_A(1)->toolTip(), "FeuilleLa feuille");
    EXPECT_EQ(deter->Bouton_A(3)->text(), "Search");  // no translation: the base's own caption
    EXPECT_EQ(static_cast<Barre_Boutons*>(F().Barre_Question)->Bouton_A(1)->toolTip(), "Valider");

    QTest::mouseClick(deter->Bouton_A(1), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return F().Pic_Choix->isVisible(); }, 5000)) << dialogues_.messages.size();
    EXPECT_EQ(F().sbStatusBar->Texte_Panneau1(), "Comment est la feuille ?");
    const QSize taille = F().Pic_Choix->size();
    QTest::mouseMove(F().windowHandle(), F().Pic_Choix->mapTo(&F(), QPoint(taille.width() / 6, taille.height() / 2)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return F().Pic_Choix->toolTip() == "Feuille simple"; }, 5000))
        << F().Pic_Choix->toolTip().toStdString();
}

TEST_F(FenetreTest, MissingDatabaseEndsTheStartWithItsPathAndError) {
    options_.registre_machine = Copie_Base();
    fs::remove(dossier_ / "base" / "base.sqlite");
    dialogues_.reponses = {Reponse::OK};
    EXPECT_EQ(Lance(), 1);
    ASSERT_EQ(dialogues_.messages.size(), 1u);
    EXPECT_EQ(dialogues_.messages[0].texte.toStdString(),
              fs::canonical(dossier_).string() + "/base/base.sqlite, Erreur N° 14");
    EXPECT_EQ(dialogues_.messages[0].boutons, Boutons::OK);
}

TEST_F(FenetreTest, MissingOrShortDataFilesEndTheStart) {
    options_.registre_machine = Copie_Base();
    const fs::path base = dossier_ / "base";
    fs::remove(base / "POIDS.DAT");
    dialogues_.reponses = {Reponse::OK, Reponse::OK};
    EXPECT_EQ(Lance(), 1);
    ASSERT_EQ(dialogues_.messages.size(), 1u);
    EXPECT_EQ(dialogues_.messages[0].texte.toStdString(), fs::canonical(base).string() + "/POIDS.DAT");

    fs::copy_file(kPetite + "/POIDS.DAT", base / "POIDS.DAT");
    fs::resize_file(base / "MATRICE.DAT", 10);
    sub_.reset();
    EXPECT_EQ(Lance(), 1);
    ASSERT_EQ(dialogues_.messages.size(), 2u);
    EXPECT_EQ(dialogues_.messages[1].texte.toStdString(), std::string(*Chaine(1070, 0)));
    EXPECT_EQ(dialogues_.messages[1].titre.toStdString(), std::string(*Chaine(1050, 0)));
}

// A damaged base that still loads says once, with the window on screen, what was passed over;
// one without species is refused with a message that says so.
TEST_F(FenetreTest, WhatTheLoadPassedOverIsToldOnceAndAnEmptyBaseIsRefused) {
    options_.registre_machine = Copie_Base_Modifiee(
        "INSERT INTO Objets_Fic VALUES ('CROWN', 3, 40, 2, 1, 2, 0, 'crown', 'Crown?', 1);"
        "UPDATE Parametres SET Etat = '70000' WHERE Nom = 'Nb_But_Car';");
    dialogues_.reponses = {Reponse::OK};
    ASSERT_EQ(Lance(), 0);
    ASSERT_EQ(dialogues_.messages.size(), 1u);
    const test::Question_Posee& message = dialogues_.messages[0];
    EXPECT_TRUE(message.fenetre_visible);
    EXPECT_EQ(message.boutons, Boutons::OK);
    EXPECT_EQ(message.titre, F().windowTitle());
    EXPECT_TRUE(
        message.texte.startsWith("The knowledge base was loaded, but these problems were passed over:"));
    EXPECT_TRUE(message.texte.contains("Objets_Fic row \"CROWN\" has states 40 .. 41"))
        << message.texte.toStdString();
    EXPECT_TRUE(message.texte.contains("parameter Nb_But_Car")) << message.texte.toStdString();
    F().mnuViewResults->trigger();
    EXPECT_EQ(dialogues_.messages.size(), 1u);  // once

    sub_.reset();
    fs::remove_all(dossier_ / "base");
    options_.registre_machine = Copie_Base_Modifiee("DELETE FROM Parametres WHERE Nom = 'Nb_Esp';");
    dialogues_.reponses = {Reponse::OK};
    EXPECT_EQ(Lance(), 1);
    ASSERT_EQ(dialogues_.messages.size(), 2u);
    EXPECT_TRUE(dialogues_.messages[1].texte.contains("this knowledge base has no species"));
}

TEST_F(FenetreTest, SecondInstanceAsksAndNoEndsBeforeLoading) {
    QLockFile autre(QString::fromStdString(options_.verrou_instance));
    ASSERT_TRUE(autre.tryLock(0));
    dialogues_.reponses = {Reponse::Non};
    EXPECT_EQ(Lance(), 2);
    ASSERT_EQ(dialogues_.messages.size(), 1u);
    EXPECT_EQ(dialogues_.messages[0].texte.toStdString(), std::string(*Chaine(1067, 0)));
    EXPECT_EQ(dialogues_.messages[0].boutons, Boutons::Oui_Non);
    EXPECT_EQ(dialogues_.messages[0].icone, Icone::Exclamation);
    EXPECT_EQ(F().Base(), nullptr);

    sub_.reset();
    dialogues_.reponses = {Reponse::Oui, Reponse::OK};
    EXPECT_EQ(Lance(), 0);
    ASSERT_EQ(dialogues_.messages.size(), 3u);
    EXPECT_EQ(dialogues_.messages[2].texte.toStdString(), std::string(*Chaine(1068, 0)));
    EXPECT_EQ(dialogues_.messages[2].icone, Icone::Information);
    EXPECT_NE(F().Base(), nullptr);

    // The first instance quits; the second still runs, so a third start is warned.
    autre.unlock();
    Sub_Main troisieme(magasin_, dialogues_, options_);
    dialogues_.reponses = {Reponse::Non};
    EXPECT_EQ(troisieme.Lance(), 2);
    ASSERT_EQ(dialogues_.messages.size(), 4u);
    EXPECT_EQ(dialogues_.messages[3].texte.toStdString(), std::string(*Chaine(1067, 0)));
}

TEST_F(FenetreTest, QuitAsksOnceWhenUnchangedAndTwiceWhenChanged) {
    ASSERT_EQ(Lance(), 0);
    dialogues_.reponses = {Reponse::Non};
    F().close();
    EXPECT_TRUE(F().isVisible());
    EXPECT_EQ(dialogues_.messages.back().texte.toStdString(), std::string(*Chaine(1071, 0)));
    EXPECT_EQ(dialogues_.messages.back().icone, Icone::Question);

    Repond("LEAF", 1);
    EXPECT_TRUE(F().Identification()->Identification_Modifiee());
    dialogues_.reponses = {Reponse::Oui, Reponse::Annuler};
    F().close();
    EXPECT_TRUE(F().isVisible());
    EXPECT_EQ(dialogues_.messages.back().texte.toStdString(), std::string(*Chaine(1072, 0)));
    EXPECT_EQ(dialogues_.messages.back().boutons, Boutons::Oui_Non_Annuler);

    dialogues_.reponses = {Reponse::Oui, Reponse::Non};
    const size_t avant = dialogues_.messages.size();
    F().close();
    EXPECT_FALSE(F().isVisible());
    EXPECT_EQ(dialogues_.messages.size(), avant + 2);
}

TEST_F(FenetreTest, ViewsShowTheirPanesAndDocumentButtons) {
    ASSERT_EQ(Lance(), 0);
    Barre_Principale& barre = *F().tbToolBar;
    for (int p = 13; p <= 22; ++p) EXPECT_FALSE(barre.Position(p)->isVisible()) << p;

    F().mnuViewResults->trigger();
    EXPECT_EQ(F().Mode_Affichage(), 3);
    EXPECT_TRUE(F().Liste_Esp->isVisible());
    EXPECT_TRUE(F().WebTexte->isVisible());
    EXPECT_TRUE(F().Small_Robot->isVisible());
    EXPECT_FALSE(F().Robot->isVisible());
    EXPECT_FALSE(F().Barre_Deter->isVisible());
    EXPECT_TRUE(F().mnuViewResults->isChecked());
    EXPECT_FALSE(F().mnuViewIdentification->isChecked());
    for (int p = 13; p <= 18; ++p) EXPECT_TRUE(barre.Position(p)->isVisible()) << p;
    for (int p = 19; p <= 22; ++p) EXPECT_FALSE(barre.Position(p)->isVisible()) << p;
    EXPECT_FALSE(barre.Bouton("Copy")->isEnabled());

    // The entry already checked changes nothing.
    F().mnuViewResults->trigger();
    EXPECT_TRUE(F().mnuViewResults->isChecked());
    EXPECT_EQ(F().Mode_Affichage(), 3);

    F().mnuViewSpecies->trigger();
    EXPECT_EQ(F().Mode_Affichage(), 4);
    EXPECT_TRUE(F().Tree_esp->isVisible());
    EXPECT_FALSE(F().Liste_Esp->isVisible());

    // A click on the small portrait returns to the portrait.
    QTest::mouseClick(F().Small_Robot, Qt::LeftButton);
    EXPECT_EQ(F().Mode_Affichage(), 1);
    EXPECT_TRUE(F().Robot->isVisible());
    EXPECT_FALSE(F().WebTexte->isVisible());
    for (int p = 13; p <= 22; ++p) EXPECT_FALSE(barre.Position(p)->isVisible()) << p;
    EXPECT_TRUE(barre.Bouton("Copy")->isEnabled());
}

TEST_F(FenetreTest, WebDocumentsShowEightDocumentButtons) {
    magasin_.valeurs["Options/Distribution"] = "http";
    ASSERT_EQ(Lance(), 0);
    F().mnuViewSpecies->trigger();
    for (int p = 13; p <= 20; ++p) EXPECT_TRUE(F().tbToolBar->Position(p)->isVisible()) << p;
    EXPECT_FALSE(F().tbToolBar->Position(21)->isVisible());
}

// Where each pane goes is Disposition's; here, that the window lays out again when it is resized
// and when a bar is shown or hidden.
TEST_F(FenetreTest, LayoutFollowsTheWindowAndItsBars) {
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
}

// The window never gets too small to show the determination and question bars whole; where the
// screen itself is too small for a bar, the bar scrolls above the status bar.
TEST_F(FenetreTest, BarsShowWholeOrScrollNeverUnderTheStatusBar) {
    std::string boutons = "UPDATE Parametres SET Etat = '40' WHERE Nom = 'Nb_But_Deter';";
    for (int b = 4; b <= 40; ++b)
        boutons += "INSERT INTO But_Deter VALUES (" + std::to_string(b) + ", 'Leaf', '', '', 'LEAF');";
    for (const bool longue : {false, true}) {
        sub_.reset();
        fs::remove_all(dossier_ / "base");
        options_.registre_machine = Copie_Base_Modifiee(longue ? boutons : "");
        ASSERT_EQ(Lance(), 0);
        F().resize(120, 90);
        QApplication::processEvents();
        auto& barre = *F().Barre_Deter;
        auto* zone = qobject_cast<QScrollArea*>(barre.parentWidget()->parentWidget());
        ASSERT_NE(zone, nullptr);
        EXPECT_LE(zone->mapTo(&F(), QPoint(0, zone->height())).y(),
                  F().sbStatusBar->mapTo(&F(), QPoint(0, 0)).y())
            << longue;
        if (!longue) {
            EXPECT_GE(F().height(), F().minimumHeight());
            EXPECT_EQ(barre.visibleRegion().boundingRect(), barre.rect());
            EXPECT_FALSE(zone->verticalScrollBar()->isVisible());
            continue;
        }
        // Taller than the screen: the window takes the screen's height and the bar scrolls to its end.
        EXPECT_LT(zone->height(), barre.height());
        ASSERT_TRUE(zone->verticalScrollBar()->isVisible());
        QToolButton* dernier = qobject_cast<Barre_Boutons*>(&barre)->Bouton_A(79);
        ASSERT_NE(dernier, nullptr);
        zone->verticalScrollBar()->setValue(zone->verticalScrollBar()->maximum());
        EXPECT_TRUE(
            zone->viewport()->rect().contains(dernier->mapTo(zone->viewport(), dernier->rect().center())));
    }
}

TEST_F(FenetreTest, NewThresholdRefiltersTheListButKeepsTheLabel) {
    ASSERT_EQ(Lance(), 0);
    Repond("LEAF", 1);  // pinnate: only the ash reaches 100 %
    EXPECT_EQ(Premiere_Ligne(), " 100% - Fraxinus excelsior");
    const QString label = F().Legende->text();
    ASSERT_EQ(Lignes().size(), 5u);

    QTimer::singleShot(0, [] {
        auto* options = qobject_cast<frmOptions*>(QApplication::activeModalWidget());
        ASSERT_NE(options, nullptr);
        QTest::mouseClick(options->Option1, Qt::LeftButton, Qt::NoModifier, QPoint(8, options->Option1->height() / 2));
        options->Reglage_Valeur->setValue(50);
        QTest::mouseClick(options->cmdOK, Qt::LeftButton);
    });
    F().mnuViewOptions->trigger();
    EXPECT_EQ(Lignes(), (std::vector<std::string>{" 100% - Fraxinus excelsior"}));
    EXPECT_EQ(F().Legende->text(), label);
    EXPECT_EQ(magasin_.valeurs["Options/Valeur"], "50");
}

TEST_F(FenetreTest, SearchStrategyFollowsTheStoreAndTheOptions) {
    magasin_.valeurs["Options/Strategie"] = "applicable";
    ASSERT_EQ(Lance(), 0);
    EXPECT_EQ(F().Identification()->Strategie(), Strategie_Recherche::Applicable);
    QTimer::singleShot(0, [] {
        auto* options = qobject_cast<frmOptions*>(QApplication::activeModalWidget());
        ASSERT_NE(options, nullptr);
        QTest::mouseClick(options->Option8, Qt::LeftButton, Qt::NoModifier,
                          QPoint(8, options->Option8->height() / 2));
        QTest::mouseClick(options->cmdOK, Qt::LeftButton);
    });
    F().mnuViewOptions->trigger();
    EXPECT_EQ(F().Identification()->Strategie(), Strategie_Recherche::Entropie);
}

TEST_F(FenetreTest, SaveAskForANameThenWritesAndOpenRestoresTheAnswers) {
    ASSERT_EQ(Lance(), 0);
    Repond("LEAF", 1);
    EXPECT_TRUE(F().mnuFileSaveAs->isEnabled());
    EXPECT_TRUE(F().tbToolBar->Bouton("Save")->isEnabled());
    const QString fichier = QString::fromStdString((dossier_ / "my id.ido").string());
    dialogues_.fichiers.push_back(fichier);
    F().Traiter_Fichier("Save");
    EXPECT_EQ(dialogues_.titres_fichiers.back().toStdString(), std::string(*Chaine(1025, 0)));
    EXPECT_EQ(dialogues_.filtres_fichiers.back().toStdString(), std::string(*Chaine(1052, 0)));
    EXPECT_EQ(F().windowTitle(), F().Titre_Fenetre() + " [" + fichier + "]");
    EXPECT_FALSE(F().Identification()->Identification_Modifiee());
    EXPECT_FALSE(F().tbToolBar->Bouton("Save")->isEnabled());

    F().Traiter_Fichier("New");  // unchanged: no question
    EXPECT_EQ(F().windowTitle(), F().Titre_Fenetre());
    EXPECT_EQ(Premiere_Ligne(), " 0% - Acer pseudoplatanus");

    F().Traiter_Fichier("Open", fichier);
    EXPECT_EQ(Premiere_Ligne(), " 100% - Fraxinus excelsior");
    EXPECT_EQ(F().windowTitle(), F().Titre_Fenetre() + " [" + fichier + "]");
    EXPECT_FALSE(F().Identification()->Identification_Modifiee());

    // A changed identification and New: Cancel keeps everything.
    Repond("FRUIT", 1);
    dialogues_.reponses = {Reponse::Annuler};
    F().Traiter_Fichier("New");
    EXPECT_EQ(dialogues_.messages.back().titre.toStdString(), std::string(*Chaine(1023, 0)));
    EXPECT_TRUE(F().Identification()->Identification_Modifiee());
    EXPECT_EQ(Premiere_Ligne(), " 100% - Fraxinus excelsior");
}

// Quit, New and Open ask whether to save first; when the answer is Yes and the save does not
// happen (its dialog cancelled, or the write failing), the command stops and nothing is lost.
TEST_F(FenetreTest, AnUnsavedIdentificationIsNeverLostToQuitNewOrOpen) {
    ASSERT_EQ(Lance(), 0);
    Repond("LEAF", 1);
    // A folder where the file should be: nothing can be written there.
    const fs::path occupe = dossier_ / "occupied.ido";
    fs::create_directories(occupe / "inside");
    const std::function<void()> commandes[] = {[&] { F().close(); }, [&] { F().Traiter_Fichier("New"); },
                                               [&] { F().Traiter_Fichier("Open"); }};
    for (int c = 0; c < 3; ++c) {
        for (const bool echec_ecriture : {false, true}) {
            dialogues_.reponses = {Reponse::Oui};
            if (c == 0)
                dialogues_.reponses.push_front(Reponse::Oui);  // yes, quit
            if (echec_ecriture)
                dialogues_.reponses.push_back(Reponse::OK);  // the failure is told
            dialogues_.fichiers = {echec_ecriture ? std::optional(QString::fromStdString(occupe.string()))
                                                  : std::nullopt};
            commandes[c]();
            const std::string cas = std::to_string(c) + (echec_ecriture ? " failed write" : " cancelled");
            EXPECT_TRUE(F().isVisible()) << cas;
            EXPECT_TRUE(F().Identification()->Identification_Modifiee()) << cas;
            EXPECT_EQ(Premiere_Ligne(), " 100% - Fraxinus excelsior") << cas;
            EXPECT_EQ(F().windowTitle(), F().Titre_Fenetre()) << cas;
            EXPECT_TRUE(F().Fichier_Courant().isEmpty()) << cas;  // the next Save asks for a name again
            EXPECT_TRUE(dialogues_.reponses.empty() && dialogues_.fichiers.empty()) << cas;  // all asked
        }
    }
    EXPECT_EQ(dialogues_.questions_sans_reponse, 0);
    EXPECT_TRUE(fs::is_directory(occupe / "inside"));
}

TEST_F(FenetreTest, CopyPutsThePortraitOnTheClipboardButNothingFromTheDocumentView) {
    ASSERT_EQ(Lance(), 0);
    QApplication::clipboard()->clear();
    F().tbToolBar->Bouton("Copy")->trigger();
    const QMimeData* donnees = QApplication::clipboard()->mimeData();
    ASSERT_NE(donnees, nullptr);
    EXPECT_TRUE(donnees->hasImage());
    EXPECT_TRUE(donnees->hasFormat("image/svg+xml"));

    QApplication::clipboard()->clear();
    F().mnuViewResults->trigger();
    F().mnuEditCopy->trigger();
    const QMimeData* apres = QApplication::clipboard()->mimeData();
    EXPECT_TRUE(apres == nullptr || (!apres->hasImage() && !apres->hasFormat("image/svg+xml")));
}

TEST_F(FenetreTest, OpenOfAMissingFileSaysItIsUnavailable) {
    ASSERT_EQ(Lance(), 0);
    dialogues_.reponses = {Reponse::OK};
    F().Traiter_Fichier("Open", "/no/such/file.ido");
    ASSERT_EQ(dialogues_.messages.size(), 1u);
    EXPECT_EQ(dialogues_.messages[0].texte, "/no/such/file.ido unavailable !");
}

TEST_F(FenetreTest, CommandLinePathInQuotesIsOpenedWithoutThem) {
    ASSERT_EQ(Lance(), 0);
    Repond("LEAF", 1);
    const std::string fichier = (dossier_ / "Saved ID.ido").string();
    dialogues_.fichiers.push_back(QString::fromStdString(fichier));
    ASSERT_TRUE(F().Exec_Save());
    Ferme();
    options_.ligne_commande = QString::fromStdString("\"" + fichier + "\"");
    ASSERT_EQ(Lance(), 0);
    EXPECT_EQ(Premiere_Ligne(), " 100% - Fraxinus excelsior");
    EXPECT_EQ(F().Fichier_Courant().toStdString(), fichier);  // the case of the name is kept
}

// Search opens the chooser with the question bar's Next button, which every other opening hides:
// the bar grows to show it instead of pushing it into an overflow menu.
TEST_F(FenetreTest, SearchShowsTheNextButtonWholeOnTheQuestionBar) {
    options_.registre_machine = Copie_Base_Avec_Images();
    ASSERT_EQ(Lance(), 0);
    auto* deter = qobject_cast<Barre_Boutons*>(F().Barre_Deter);
    auto* question = qobject_cast<Barre_Boutons*>(F().Barre_Question);
    ASSERT_TRUE(deter && question && deter->Bouton_A(1) && deter->Bouton_A(3) && question->Bouton_A(5));
    // Leaf (Next hidden), back to the portrait, then Search (Next shown).
    QTest::mouseClick(deter->Bouton_A(1), Qt::LeftButton);
    EXPECT_FALSE(question->Bouton_A(5)->isVisible());
    QTest::mouseClick(question->Bouton_A(3), Qt::LeftButton);
    QTest::mouseClick(deter->Bouton_A(3), Qt::LeftButton);
    ASSERT_TRUE(question->isVisible());
    QToolButton* suivant = question->Bouton_A(5);
    EXPECT_TRUE(suivant->isVisible());
    EXPECT_EQ(suivant->text(), "Back");  // the small base's caption for it
    EXPECT_TRUE(question->rect().contains(suivant->geometry()));
    for (auto* extension : question->findChildren<QToolButton*>("qt_toolbar_ext_button")) {
        EXPECT_FALSE(extension->isVisible());
    }
}

// The document view as a user drives it: a click on a line opens its species once; Copy is off
// where it copies nothing and the status text goes with the view; Refresh and the bars' toggles
// reload the page; Print on the drawing page prints the drawing (a document made at once on the
// 300-dpi grid), not the page.
TEST_F(FenetreTest, TheDocumentViewOpensOnceReloadsAndPrintsTheDrawingOfItsDrawingPage) {
    options_.registre_machine = Copie_Base_Avec_Images();
    for (const char* nom : {"a/aceps/aceps_en", "f/fagsy/fagsy_en", "f/fagsy/dessin_fagsy_en"}) {
        const fs::path page = dossier_ / "base" / "documents" / (std::string(nom) + ".html");
        fs::create_directories(page.parent_path());
        std::ofstream(page) << "<html><body><p>" << nom << "</p></body></html>";
    }
    ASSERT_EQ(Lance(), 0);
    auto copie = [&] {
        return std::pair{F().tbToolBar->Bouton("Copy")->isEnabled(), F().mnuEditCopy->isEnabled()};
    };
    QTest::mouseClick(qobject_cast<Barre_Boutons*>(F().Barre_Deter)->Bouton_A(1), Qt::LeftButton);
    ASSERT_EQ(F().sbStatusBar->Texte_Panneau1(), "What is the leaf like?");
    EXPECT_EQ(copie(), std::pair(true, true));  // the state picture
    F().mnuViewSpecies->trigger();
    EXPECT_EQ(F().sbStatusBar->Texte_Panneau1(), "");
    EXPECT_EQ(copie(), std::pair(false, false));
    F().mnuViewResults->trigger();
    EXPECT_EQ(copie(), std::pair(false, false));

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
    EXPECT_EQ(copie(), std::pair(true, true));
}

}  // namespace
}  // namespace kestrane
