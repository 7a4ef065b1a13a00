// The dialogs' own texts (Qt's) follow the interface language.
#include "Dialogues_Qt.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace kestrane {
namespace {

// Runs `action` on the next modal dialog, once it is up.
template <typename Dialogue, typename Action>
void Sur_Le_Dialogue(Action action) {
    QTimer::singleShot(0, [action] {
        auto* dialogue = qobject_cast<Dialogue*>(QApplication::activeModalWidget());
        ASSERT_NE(dialogue, nullptr);
        action(*dialogue);
    });
}

TEST(DialoguesQt, QtsOwnTextsFollowTheInterfaceLanguage) {
    Dialogues_Qt dialogues;
    const struct {
        int langue;
        QStringList boutons;  // Yes, No, Cancel, then the folder dialog's Cancel
    } cas[] = {{2, {"&Oui", "&Non", "Annuler", "Annuler"}},
               {1, {"&Sí", "&No", "Cancelar", "Cancelar"}},
               {0, {"&Yes", "&No", "Cancel", "Cancel"}}};
    for (const auto& k : cas) {
        dialogues.Change_Langue(k.langue);
        QStringList boutons;
        Sur_Le_Dialogue<QMessageBox>([&](QMessageBox& boite) {
            for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
                boutons << (boite.button(b) ? boite.button(b)->text() : QString("(none)"));
            boite.button(QMessageBox::No) ? boite.button(QMessageBox::No)->click() : boite.reject();
        });
        EXPECT_EQ(dialogues.Message(nullptr, "?", Boutons::Oui_Non_Annuler, Icone::Question, "Kestrane"),
                  Reponse::Non);
        Sur_Le_Dialogue<QFileDialog>([&](QFileDialog& dossier) {
            auto* boite = dossier.findChild<QDialogButtonBox*>();
            QPushButton* bouton = boite ? boite->button(QDialogButtonBox::Cancel) : nullptr;
            boutons << (bouton ? bouton->text() : QString("(none)"));
            dossier.reject();
        });
        EXPECT_EQ(dialogues.Dossier(nullptr, "Folder", QString()), std::nullopt);
        EXPECT_EQ(boutons, k.boutons) << k.langue;
    }
}

}  // namespace
}  // namespace kestrane
