#pragma once
// The main window started on a copy of the small fixture base (LEAF: 0 simple, 1 pinnate,
// 2 palmate, opening ARRANGEMENT 3, 4 when pinnate; FRUIT: 5, 6), in a folder of its own.

#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <memory>

#include "Base_Test.h"
#include "Dialogues_Scriptes.h"
#include "Magasin_Memoire.h"
#include "Sub_Main.h"
#include "frmMain.h"

namespace kestrane::test {

class Fenetre_Petite : public ::testing::Test {
  protected:
    void SetUp() override {
        dossier_ = Dossier_Temporaire("kestrane-ui");
        Copie();
        options_.registre_machine = (Base() / "kestrane.ini").string();
        options_.verrou_instance = (dossier_ / "kestrane.lock").string();
    }
    // A fresh copy of the base, in place of the one a test damaged.
    void Copie() {
        std::filesystem::remove_all(Base());
        std::filesystem::copy(std::string(KESTRANE_FIXTURES) + "/small", Base(),
                              std::filesystem::copy_options::recursive);
    }
    void TearDown() override {
        Ferme();
        std::filesystem::remove_all(dossier_);
    }
    std::filesystem::path Base() const { return dossier_ / "base"; }
    // A drawing of the base as the chooser picture of each character named, so that choosers open.
    void Images(std::initializer_list<const char*> noms = {"leaf", "arrangement", "fruit"}) {
        std::filesystem::create_directories(Base() / "descripteurs");
        for (const char* nom : noms)
            std::filesystem::copy_file(Base() / "robot/01/simple.wmf", Base() / "descripteurs" / nom);
    }
    // Changes the copy by `sql`.
    void Modifie(const std::string& sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((Base() / "base.sqlite").string().c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }
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
        if (sub_ && sub_->Fenetre())
            sub_->Fenetre()->hide();
        sub_.reset();
    }
    frmMain& F() { return *sub_->Fenetre(); }
    // The panes on screen, by name in a fixed order, so that a view is compared at once.
    std::string Visibles() {
        const std::pair<const char*, QWidget*> panneaux[] = {
            {"Robot", F().Robot},         {"Small_Robot", F().Small_Robot}, {"Pic_Choix", F().Pic_Choix},
            {"Barre_Deter", F().Barre_Deter}, {"Liste_Esp", F().Liste_Esp}, {"WebTexte", F().WebTexte},
            {"Tree_esp", F().Tree_esp}};
        std::string noms;
        for (const auto& [nom, w] : panneaux)
            if (w->isVisible()) noms += (noms.empty() ? "" : " ") + std::string(nom);
        return noms;
    }

    std::filesystem::path dossier_;
    Options_Demarrage options_;
    Magasin_Memoire magasin_;
    Dialogues_Scriptes dialogues_;
    std::unique_ptr<Sub_Main> sub_;
};

}  // namespace kestrane::test
