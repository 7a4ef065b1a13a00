#include "frmOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>

#include "Dialogues_Scriptes.h"
#include "Magasin_Memoire.h"
#include "frmSplash.h"

namespace kestrane {
namespace {

using test::Magasin_Memoire;

// A click on a radio button's indicator: the button's centre may lie past its short label.
void Clique(QRadioButton* bouton) {
    QTest::mouseClick(bouton, Qt::LeftButton, Qt::NoModifier, QPoint(8, bouton->height() / 2));
}

class OptionsTest : public ::testing::Test {
  protected:
    Reglages reglages;
    int16_t langue = 0;
    Magasin_Memoire magasin;
    test::Dialogues_Scriptes dialogues;
};

// The values shown; All species, the strategy and an address over the web changed, Apply stores
// them (the address completed for its kind), and the dialog opens again on them.
TEST_F(OptionsTest, ShowsTheValuesAndApplyStoresThemCompletingTheAddress) {
    reglages.Seuil_Pourcent = 40;
    reglages.Curseur_Dynamique = true;
    reglages.Distribution = "hd";
    reglages.Adresse_Documents = "/docs/";
    langue = 1;
    {
        frmOptions f(reglages, langue, magasin, dialogues);
        f.show();
        EXPECT_EQ(std::tuple(f.windowTitle(), f.Reglage_Valeur->value(), f.Label1->text(), f.hdtext->text(),
                             f.httptext->isEnabled()),
                  std::tuple("Opciones", 40, " 40 %", "/docs/", false));
        // One column: the threshold's button, its slider (the percentage to its right), All species,
        // Thumbnails.
        const int gauche = f.Reglage_Valeur->x();
        EXPECT_EQ(std::tuple(f.Option1->x(), f.Option2->x(), f.Check2->x(),
                             f.Label1->x() > f.Reglage_Valeur->geometry().right()),
                  std::tuple(gauche, gauche, gauche, true));
        // The threshold, the dynamic cursor, Spanish, the hard disk, the most discriminant character.
        EXPECT_EQ(std::tuple(f.Option1->isChecked(), f.Check1->isChecked(), f.Option4->isChecked(),
                             f.Option7->isChecked(), f.Option8->isChecked(), f.Check2->isChecked()),
                  std::tuple(true, true, true, true, true, true));
        QTest::mouseClick(f.Check2, Qt::LeftButton, Qt::NoModifier, QPoint(8, f.Check2->height() / 2));
        Clique(f.Option2);
        EXPECT_EQ(std::tuple(f.Reglage_Valeur->value(), f.Reglage_Valeur->isEnabled(), f.Label1->text()),
                  std::tuple(70, false, " 70 %"));
        Clique(f.Option9);
        f.tbsOptions->setCurrentIndex(2);
        Clique(f.Option6);
        EXPECT_FALSE(f.hdtext->isEnabled());
        f.httptext->setText("https://flora.example/docs");
        QTest::mouseClick(f.cmdApply, Qt::LeftButton);
    }
    EXPECT_EQ(std::tuple(reglages.Seuil_Pourcent, reglages.Strategie, reglages.Distribution, reglages.Adresse_Documents),
              std::tuple(0, Strategie_Recherche::Applicable, "http", "https://flora.example/docs/"));
    EXPECT_EQ(std::tuple(magasin.valeurs["Options/Strategie"], magasin.valeurs["Documents/Adresse"],
                         reglages.Vignettes_Especes, Lit_Registre(Registre_Machine(), magasin).Vignettes_Especes),
              std::tuple("applicable", "https://flora.example/docs/", false, false));
    frmOptions again(reglages, langue, magasin, dialogues);
    EXPECT_EQ(std::tuple(again.Option2->isChecked(), again.Reglage_Valeur->isEnabled(), again.Option9->isChecked(),
                         again.Option6->isChecked(), again.httptext->text()),
              std::tuple(true, false, true, true, "https://flora.example/docs/"));
    EXPECT_FALSE(again.Check2->isChecked());
}

// Ctrl+Tab cycles the tabs both ways; the language changes at once, Cancel neither undoes nor stores
// it. Browse fills the path from the folder dialog titled in it; OK completes the address.
TEST_F(OptionsTest, CtrlTabCyclesTheTabsTheLanguageChangesAtOnceAndBrowseFillsThePath) {
    {
        frmOptions f(reglages, langue, magasin, dialogues);
        f.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
        f.Check1->setFocus();
        QTest::keyClick(f.Check1, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(f.tbsOptions->currentIndex(), 2);  // first to last
        QTest::keyClick(f.hdtext, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(f.tbsOptions->currentIndex(), 0);  // last to first
        QTest::keyClick(&f, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(f.tbsOptions->currentIndex(), 1);
        QApplication::processEvents();
        Clique(f.Option5);
        EXPECT_EQ(std::tuple(f.Option5->isChecked(), langue, dialogues.langue), std::tuple(true, 2, 2));  // dialogs too
        QTest::mouseClick(f.cmdCancel, Qt::LeftButton);
    }
    EXPECT_EQ(std::tuple(langue, magasin.valeurs.count("Options/Langue")), std::tuple(2, 0u));
    {
        frmOptions f(reglages, langue, magasin, dialogues);
        f.show();
        f.tbsOptions->setCurrentIndex(2);
        Clique(f.Option7);
        dialogues.dossiers = {QString("/srv/flora/docs"), std::nullopt};
        QTest::mouseClick(f.Command1, Qt::LeftButton);
        QTest::mouseClick(f.Command1, Qt::LeftButton);
        ASSERT_EQ(dialogues.titres_fichiers.size(), 2u);
        EXPECT_EQ(std::tuple(f.hdtext->text(), dialogues.titres_fichiers[0]),
                  std::tuple("/srv/flora/docs/", " Répertoires des documents "));
        f.hdtext->setText("/srv/flora/docs");
        QTest::mouseClick(f.cmdOK, Qt::LeftButton);
    }
    EXPECT_EQ(std::tuple(reglages.Distribution, reglages.Adresse_Documents, magasin.valeurs["Documents/Adresse"]),
              std::tuple("hd", "/srv/flora/docs/", "/srv/flora/docs/"));
}

// The splash stays on screen, its picture box painted, while the main window loads; a click on the
// picture or beside it closes it only once the main window is visible.
TEST(Splash, StaysWhileLoadingAndAClickClosesItOnceAllowed) {
    for (int c = 0; c < 4; ++c) {  // on the picture, then beside it; closing not allowed, then allowed
        const bool sur_image = c < 2, permise = c % 2;
        frmSplash splash("", 0);
        splash.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&splash));
        const QImage logo = splash.picLogo->grab().toImage();
        EXPECT_EQ(std::tuple(splash.isVisible(), logo.pixelColor(logo.rect().center())),
                  std::tuple(true, QColor(Qt::white)))
            << c;
        splash.Fermeture_Au_Clic(permise);
        QTest::mouseClick(sur_image ? splash.picLogo : &splash, Qt::LeftButton, {}, QPoint(2, 2));
        EXPECT_EQ(splash.isVisible(), !permise) << c;
    }
}

}  // namespace
}  // namespace kestrane
