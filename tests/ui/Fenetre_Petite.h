#pragma once
// The main window started on a copy of the built base `petite`: Leaf_Type (0 broad, 1 needles),
// Composition (2 simple, 3 pinnate, 4 palmate) and Arrangement (5 alternate, 6 opposite) only after
// broad leaves, Fruit (7 single key, 8 paired keys, 9 spiny capsule, 10 cone).

#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "Base_Test.h"
#include "Dialogues_Scriptes.h"
#include "Magasin_Memoire.h"
#include "Portrait_Questions.h"
#include "Sub_Main.h"
#include "frmMain.h"

namespace kestrane::test {

class Fenetre_Petite : public ::testing::Test {
  protected:
    void SetUp() override { Copie(); }
    void TearDown() override { Ferme(); }
    // A fresh copy of the base, in place of the one a test changed.
    void Copie() {
        Ferme();
        base_ = std::make_unique<Copie_Base>("petite");
        options_.registre_machine = base_->Reglages_Machine();
        options_.verrou_instance = (Dossier() / "kestrane.lock").string();
    }
    const std::filesystem::path& Dossier() const { return base_->Dossier(); }
    QString Chemin(const char* nom) const { return QString::fromStdString((Dossier() / nom).string()); }
    // Starts the window (ending the one before); its exit status.
    int Lance() {
        Ferme();
        sub_ = std::make_unique<Sub_Main>(magasin_, dialogues_, options_);
        const int statut = sub_->Lance();
        if (statut == 0) {
            F().activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&F()));
        }
        return statut;
    }
    // Ends the running instance, hidden first so that it asks nothing.
    void Ferme() {
        if (sub_ && sub_->Fenetre()) sub_->Fenetre()->hide();
        sub_.reset();
    }
    frmMain& F() { return *sub_->Fenetre(); }
    // As the question bar confirms state `choix` of `objet` picked in the chooser.
    void Confirme(const char* objet, int choix) {
        ASSERT_NE(F().Base()->Trouve_Objet(objet), nullptr);
        F().Identification()->Question = Question_Courante::De_Objet(*F().Base()->Trouve_Objet(objet));
        F().Identification()->Question.Choix = choix;
        F().Portrait()->Clic_Barre_Question(1);
    }
    // The panes on screen, by name in a fixed order, so that a view is compared at once.
    std::string Visibles() {
        std::string noms;
        for (QWidget* w : std::initializer_list<QWidget*>{F().Robot, F().Small_Robot, F().Pic_Choix, F().Barre_Deter,
                                                          F().Liste_Esp, F().WebTexte, F().Tree_esp})
            if (w->isVisible()) noms += (noms.empty() ? "" : " ") + w->objectName().toStdString();
        return noms;
    }

    std::unique_ptr<Copie_Base> base_;
    Options_Demarrage options_;
    Magasin_Memoire magasin_;
    Dialogues_Scriptes dialogues_;
    std::unique_ptr<Sub_Main> sub_;
};

}  // namespace kestrane::test
