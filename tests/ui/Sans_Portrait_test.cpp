// A key without a portrait, imported from a small SDD file (tests/ui/sdd), used in the window by
// mouse and by keyboard alone: every way of opening a chooser hides the ranked questions, the
// focus comes back to them, the status bar says what to do next; states without pictures are
// answered from the list of their texts; a taxon's picture shows beside its name in the results,
// and a question with notes offers "What is this?".

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "Barre_Etat.h"
#include "Documents.h"
#include "Fenetre_Petite.h"
#include "Import_Sdd.h"
#include "Panneau_Reponses.h"
#include "WebTexte.h"

namespace kestrane {
namespace {

namespace fs = std::filesystem;

// Questions of the imported key, as its list shows them, and its two bars' items: determination
// 1 Search, 3 Results; question 1 OK, 3 Back, 5 Next.
class Sans_Portrait : public test::Fenetre_Petite {
  protected:
    void SetUp() override {
        Fenetre_Petite::SetUp();
        sortie_ = test::Dossier_Temporaire("sans-portrait");
        const Status s = kb::Importe_Sdd(Source().string(), (sortie_ / "base").string(), nullptr);
        ASSERT_TRUE(s.ok()) << s.message();
        options_.registre_machine = (sortie_ / "base" / "kestrane.ini").string();
        ASSERT_EQ(Lance(), 0);
        ASSERT_TRUE(P().Sans_Portrait());
    }
    void TearDown() override {
        Fenetre_Petite::TearDown();
        fs::remove_all(sortie_);
    }
    virtual fs::path Source() { return fs::path(UI_SDD) / "arbustes.sdd.xml"; }
    Portrait_Questions& P() { return *F().Portrait(); }
    Liste_Questions& Liste() { return *P().Widget_Questions(); }
    std::string Statut() { return F().sbStatusBar->Texte_Panneau1().toStdString(); }
    std::string Objet() { return F().Identification()->Question.Objet; }
    // The ranked questions, the chooser, and which of them has the keyboard.
    std::tuple<bool, bool, bool, bool> Vue() {
        return {Liste().isVisible(), F().Pic_Choix->isVisible(), Liste().hasFocus(), F().Pic_Choix->hasFocus()};
    }
    void Clic(Barre_Boutons* barre, int index) {
        ASSERT_NE(barre->Bouton_A(index), nullptr);
        QTest::mouseClick(barre->Bouton_A(index), Qt::LeftButton);
    }
    // The row of the list whose question starts with `debut`.
    int Ligne(const std::string& debut) {
        for (int r = 0; r < Liste().topLevelItemCount(); ++r)
            if (Liste().topLevelItem(r)->text(0).toStdString().rfind(debut, 0) == 0)
                return r;
        ADD_FAILURE() << debut;
        return -1;
    }
    void Touche(Qt::Key touche) { QTest::keyClick(QApplication::focusWidget(), touche); }

    fs::path sortie_;
};

const std::string kListe = "Pick a question you can answer (arrows, Enter), or press Search for the best one.";

// Search, Next and a click on an answer in the panel each show the chooser alone; OK with nothing
// picked changes nothing; the results view has no blank where the small portrait would stand.
TEST_F(Sans_Portrait, EveryWayToAChooserHidesTheListAndOkWithNothingPickedChangesNothing) {
    EXPECT_EQ(std::tuple(Vue(), Statut()), std::tuple(std::tuple(true, false, true, false), kListe));
    EXPECT_EQ(F().Panneau()->Indication()->text().toStdString(),
              "No answer yet: pick a question in the list, then its answer.");

    Clic(P().Barre_Deter(), 1);  // Search
    const std::string premiere = Objet();
    ASSERT_EQ(Vue(), std::tuple(false, true, false, true));
    Clic(P().Barre_Question(), 5);  // Next: another question, still alone on screen
    EXPECT_NE(Objet(), premiere);
    ASSERT_EQ(Vue(), std::tuple(false, true, false, true));
    Clic(P().Barre_Question(), 1);  // OK, nothing picked
    EXPECT_EQ(std::tuple(Vue(), F().Identification()->Identification_Modifiee(),
                         F().mnuFileSaveAs->isEnabled(), Statut()),
              std::tuple(std::tuple(true, false, true, false), false, false, kListe));

    // An answer by the mouse, then a click on it in the panel opens its chooser again, alone.
    QTest::mouseClick(Liste().viewport(), Qt::LeftButton, {},
                      Liste().visualItemRect(Liste().topLevelItem(Ligne("Fruit"))).center());
    ASSERT_EQ(std::tuple(Objet(), Vue()), std::tuple("c2", std::tuple(false, true, false, true)));
    // No picture of the states: their texts, one a line of text, not cells stretched to the box.
    Pic_Choix& choix = *P().Widget_Pic_Choix();
    EXPECT_EQ(std::tuple(choix.En_Liste(), choix.Rectangle_Marque(2).bottom() < choix.height() / 2),
              std::tuple(true, true));
    F().mnuEditCopy->trigger();  // copied as the texts it shows
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "Fruit\nNut\nBlack berry\nBlue sloe");
    QTest::mouseClick(&choix, Qt::LeftButton, {}, choix.Rectangle_Marque(1).center().toPoint());  // black berry
    Clic(P().Barre_Question(), 1);
    EXPECT_EQ(F().Panneau()->findChildren<QLabel*>("Vignette").size(), 0);  // the answer in words alone
    ASSERT_EQ(std::tuple(Vue(), F().Identification()->Identification_Modifiee(), F().Identification()->Nb_Esp_Max()),
              std::tuple(std::tuple(true, false, true, false), true, 2));
    EXPECT_EQ(Statut(), kListe);  // two species share the best score
    QListWidget& reponses = *F().Panneau()->Liste();
    ASSERT_EQ(reponses.count(), 1);
    QTest::mouseClick(reponses.viewport(), Qt::LeftButton, {}, reponses.visualItemRect(reponses.item(0)).center());
    EXPECT_EQ(std::tuple(Objet(), Vue(), F().Identification()->Question.Choix),
              std::tuple("c2", std::tuple(false, true, false, true), 1));
    Clic(P().Barre_Question(), 3);  // Back

    Clic(P().Barre_Deter(), 3);  // Results: the list from the top, no small portrait
    const Disposition& d = F().Disposition_Courante();
    EXPECT_EQ(std::tuple(F().Small_Robot->isVisible(), F().Liste_Esp->isVisible(), d.Liste_Esp.Top),
              std::tuple(false, true, d.WebTexte.Top));
}

// A whole identification with the keys alone: the list's arrows and Enter, the chooser's arrows and
// Enter (which confirms), back into the list each time, until the status bar names the species.
TEST_F(Sans_Portrait, AWholeIdentificationByKeyboardAlone) {
    ASSERT_TRUE(Liste().hasFocus());
    for (int r = 0; r < Ligne("Fruit"); ++r) Touche(Qt::Key_Down);
    Touche(Qt::Key_Return);
    ASSERT_EQ(std::tuple(Objet(), Vue()), std::tuple("c2", std::tuple(false, true, false, true)));
    Touche(Qt::Key_Return);  // the first key shows where the arrows start, on the first state
    EXPECT_EQ(std::tuple(P().Widget_Pic_Choix()->Case_Clavier(), F().Pic_Choix->isVisible()), std::tuple(0, true));
    Touche(Qt::Key_Return);  // a nut: hazel alone
    ASSERT_EQ(Vue(), std::tuple(true, false, true, false));
    EXPECT_EQ(std::tuple(F().Identification()->Nb_Esp_Max(), Statut()),
              std::tuple(1, "Corylus avellana alone fits best: Results shows its page."));

    // The next question by keyboard too: its chooser, Escape back to the list, untouched.
    Touche(Qt::Key_Return);
    ASSERT_EQ(Vue(), std::tuple(false, true, false, true));
    Touche(Qt::Key_Escape);
    EXPECT_EQ(std::tuple(Vue(), F().Panneau()->Liste()->count()), std::tuple(std::tuple(true, false, true, false), 1));
}

// Three shrubs by the length of their leaves (tests/ui/sdd/feuilles.sdd.xml).
class Sans_Portrait_Mesure : public Sans_Portrait {
  protected:
    fs::path Source() override { return fs::path(UI_SDD) / "feuilles.sdd.xml"; }
};

// A measured character by keyboard: its chooser is a field with the unit and the tolerance; Enter
// records the value typed (a decimal comma too), the list gets the keyboard back, the panel shows
// the value with its tolerance and only the species whose range meets it fits; Escape leaves the
// field without changing the answer.
TEST_F(Sans_Portrait_Mesure, AValueIsTypedWithItsUnitAndTolerance) {
    ASSERT_TRUE(Liste().hasFocus());
    for (int r = 0; r < Ligne("Leaf length"); ++r) Touche(Qt::Key_Down);
    Touche(Qt::Key_Return);
    auto* champ = F().findChild<QLineEdit*>(QStringLiteral("Valeur_Mesure"));
    ASSERT_NE(champ, nullptr);
    ASSERT_EQ(std::tuple(Objet(), champ->isVisible(), champ->hasFocus()), std::tuple("c2", true, true));
    QStringList textes;
    for (const QLabel* l : champ->parentWidget()->findChildren<QLabel*>()) textes << l->text();
    EXPECT_TRUE(textes.contains(QStringLiteral("mm")) && textes.contains(QStringLiteral("\u00b1 10 %"))) << textes.join('|').toStdString();
    QTest::keyClicks(champ, "8x");
    Touche(Qt::Key_Return);  // not a number: the field stays, and says so
    EXPECT_EQ(std::tuple(champ->isVisible(), Statut()), std::tuple(true, "\"8x\" is not a number."));
    champ->clear();
    QTest::keyClicks(champ, "75,5");
    Touche(Qt::Key_Return);
    ASSERT_EQ(Vue(), std::tuple(true, false, true, false));
    EXPECT_EQ(std::tuple(F().Identification()->Nb_Esp_Max(), Statut()),
              std::tuple(1, "Corylus avellana alone fits best: Results shows its page."));
    QListWidget& panneau = *F().Panneau()->Liste();
    auto reponse = [&] {
        return panneau.count() ? panneau.item(0)->data(Qt::AccessibleTextRole).toString().toStdString() : "";
    };
    EXPECT_EQ(std::tuple(panneau.count(), reponse()), std::tuple(1, "Leaf length: 75.5 mm (\u00b1 10 %)"));

    // Opened again from the panel: the value is there; Escape changes nothing; another value
    // typed there takes the answer's place in the panel.
    panneau.setCurrentRow(0);
    panneau.setFocus();
    Touche(Qt::Key_Return);
    ASSERT_TRUE(champ->hasFocus());
    EXPECT_EQ(champ->text().toStdString(), "75.5");
    Touche(Qt::Key_Escape);
    EXPECT_EQ(std::tuple(champ->isVisible(), F().Identification()->Valeurs()[0]),
              std::tuple(false, std::optional(Valeur_Mesuree{75.5, 10})));
    panneau.setFocus();
    Touche(Qt::Key_Return);
    champ->clear();
    QTest::keyClicks(champ, "80");
    Touche(Qt::Key_Return);
    EXPECT_EQ(std::tuple(panneau.count(), reponse()), std::tuple(1, "Leaf length: 80 mm (\u00b1 10 %)"));
}

// The same key with a picture of hazel beside it and notes on the fruit.
class Sans_Portrait_Medias : public Sans_Portrait {
  protected:
    fs::path Source() override {
        std::ifstream entree(fs::path(UI_SDD) / "arbustes.sdd.xml");
        std::string xml((std::istreambuf_iterator<char>(entree)), std::istreambuf_iterator<char>());
        for (const auto& [avant, apres] :
             {std::pair<std::string, std::string>{"<Label>Corylus avellana</Label>",
                                                  "<Label>Corylus avellana</Label><MediaObject ref=\"m1\"/>"},
              {"<Label>Fruit</Label>", "<Label>Fruit</Label><Detail>Pick it &lt;b&gt;ripe&lt;/b&gt;.</Detail>"},
              {"</Dataset>", "<MediaObjects><MediaObject id=\"m1\"><Representation><Label>Hazel</Label>"
                             "</Representation><Type>Image</Type><Source href=\"noisetier.png\"/></MediaObject>"
                             "</MediaObjects></Dataset>"}})
            xml.replace(xml.find(avant), avant.size(), apres);
        const fs::path cle = sortie_ / "cle";
        fs::create_directories(cle);
        std::ofstream(cle / "arbustes.sdd.xml") << xml;
        QImage image(20, 30, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        EXPECT_TRUE(image.save(QString::fromStdString((cle / "noisetier.png").string())));
        return cle / "arbustes.sdd.xml";
    }
    // The page the document view shows, once loaded.
    std::string Page() {
        WebTexte& vue = F().Documents_Especes()->Vue();
        EXPECT_TRUE(QTest::qWaitFor([&] { return vue.Termine() && !vue.LocationURL().isEmpty(); }, 10000));
        return vue.LocationURL().toStdString();
    }
};

// Only the taxon with a picture has a thumbnail beside its name, at a size that shows it.
TEST_F(Sans_Portrait_Medias, TheResultsListShowsTheThumbnailOfATaxonWithAPicture) {
    Clic(P().Barre_Deter(), 3);  // Results
    QAbstractItemModel& lignes = *F().Liste_Esp->model();
    std::vector<std::pair<std::string, bool>> vignettes;
    for (int r = 0; r < lignes.rowCount(); ++r)
        vignettes.emplace_back(lignes.index(r, 0).data().toString().section(QStringLiteral("% - "), 1).toStdString(),
                               !lignes.index(r, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    std::sort(vignettes.begin(), vignettes.end());
    EXPECT_EQ(vignettes, (std::vector<std::pair<std::string, bool>>{{"Cornus sanguinea", false},
                                                                    {"Corylus avellana", true},
                                                                    {"Prunus spinosa", false},
                                                                    {"Sambucus nigra", false}}));
    EXPECT_EQ(F().Liste_Esp->iconSize(), QSize(32, 32));
}

// "What is this?" shows beside a question with notes only, and opens its page in the document view
// by a click or by Shift+F1.
TEST_F(Sans_Portrait_Medias, WhatIsThisOpensTheNotesOfAQuestionThatHasThem) {
    auto* bouton = P().Barre_Question()->findChild<QToolButton*>("Quoi_Aide");
    ASSERT_NE(bouton, nullptr);
    const auto ouvre = [&](const std::string& question) {
        QTest::mouseClick(Liste().viewport(), Qt::LeftButton, {},
                          Liste().visualItemRect(Liste().topLevelItem(Ligne(question))).center());
        EXPECT_TRUE(F().Pic_Choix->isVisible()) << question;
    };
    ouvre("Leaf arrangement");
    EXPECT_FALSE(bouton->isVisible());
    Clic(P().Barre_Question(), 3);  // Back
    ouvre("Fruit");
    ASSERT_TRUE(bouton->isVisible());
    EXPECT_EQ(bouton->text().toStdString(), "What is this?");
    QTest::mouseClick(bouton, Qt::LeftButton);
    EXPECT_EQ(std::tuple(F().WebTexte->isVisible(), F().Pic_Choix->isVisible(), F().Barre_Question->isVisible()),
              std::tuple(true, false, false));
    EXPECT_NE(Page().find("/documents/aide/c2_en.html"), std::string::npos);

    F().mnuViewIdentification->trigger();
    ouvre("Fruit");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_TRUE(F().WebTexte->isVisible());
    EXPECT_NE(Page().find("/documents/aide/c2_en.html"), std::string::npos);
}

}  // namespace
}  // namespace kestrane
