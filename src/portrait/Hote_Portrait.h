#pragma once
// What the portrait and its questions need from the main window. The main window implements it;
// tests implement it with a fake. Every call comes from the user-interface thread.

#include <QString>

class QWidget;

namespace kestrane {

class Hote_Portrait {
public:
    virtual ~Hote_Portrait() = default;

    // The text of the status bar's first panel (the question being asked, or "").
    virtual void Texte_Statut(const QString& texte) = 0;
    // Mode_Affichage; the portrait sets 2 when the state chooser opens.
    virtual void Mode_Affichage(int mode) = 0;
    // Vue_Identification: the window's own part of the identification view. It must also run
    // Portrait_Questions::Montre_Portrait (Robot and Barre_Deter shown, Pic_Choix and
    // Barre_Question hidden, Occupe cleared).
    virtual void Vue_Identification() = 0;
    // The View menu's results entry (the determination bar's "Results" button).
    virtual void Commande_Vue_Resultats() = 0;
    // The main window's hourglass pointer (true) or its default pointer (false).
    virtual void Sablier(bool actif) = 0;
    // The interface language: 0 English, 1 Spanish, 2 French.
    virtual int Langue() const = 0;
    // The title of messages that have none of their own (the main window's caption).
    virtual QString Titre_Messages() const = 0;
    // The parent of message boxes.
    virtual QWidget* Fenetre() = 0;
};

}  // namespace kestrane
