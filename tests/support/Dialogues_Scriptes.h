#pragma once
// Dialogs answered by the test: each call takes the next scripted answer of its kind and records
// what was asked. An unscripted question fails the test rather than blocking on a real dialog.

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "Dialogues.h"

namespace kestrane::test {

struct Question_Posee {
    QString texte;
    Boutons boutons;
    Icone icone;
    QString titre;
    bool fenetre_visible = false;  // the parent window was on screen
};

class Dialogues_Scriptes : public Dialogues {
public:
    Reponse Message(QWidget*, const QString& texte, Boutons boutons, Icone icone, const QString& titre) override;
    std::optional<QString> Fichier_A_Ouvrir(QWidget*, const QString& titre, const QString& filtre,
                                            const QString& extension, const QString& depart) override;
    std::optional<QString> Fichier_A_Enregistrer(QWidget*, const QString& titre, const QString& filtre,
                                                 const QString& extension, const QString& depart) override;
    std::optional<QString> Dossier(QWidget*, const QString& titre, const QString& depart) override;
    bool Imprimante(QWidget*, QPrinter&) override;
    void Change_Langue(int l) override { langue = l; }
    std::optional<int> Choix(QWidget*, const QString& titre, const QString& libelle,
                             const QStringList& elements, int propose) override;

    std::deque<Reponse> reponses;                       // for Message
    std::deque<std::optional<QString>> fichiers;        // for both file dialogs (nullopt = cancel)
    std::deque<std::optional<QString>> dossiers;
    std::deque<bool> imprimantes;
    QString fichier_impression;  // when set, an accepted printer dialog prints to this PDF file
    std::deque<std::optional<int>> choix;  // for Choix (nullopt = cancel)

    std::vector<Question_Posee> messages;               // what was shown, in order
    std::vector<QString> titres_fichiers;               // titles of the file dialogs shown
    std::vector<QString> filtres_fichiers;
    std::vector<QString> departs_fichiers;              // the folders they started in
    std::vector<QStringList> listes_choix;              // the elements offered by each Choix
    int questions_sans_reponse = 0;                     // calls with nothing scripted
    int langue = -1;                                    // the last language given
};

}  // namespace kestrane::test
