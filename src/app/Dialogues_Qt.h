#pragma once
// The dialogs shown to the user: QMessageBox, QFileDialog, QPrintDialog and QInputDialog, their
// own texts in the interface language.

#include "Dialogues.h"
#include "Traductions_Qt.h"

namespace kestrane {

class Dialogues_Qt : public Dialogues {
  public:
    Reponse Message(QWidget* parent, const QString& texte, Boutons boutons, Icone icone,
                    const QString& titre) override;
    std::optional<QString> Fichier_A_Ouvrir(QWidget* parent, const QString& titre, const QString& filtre,
                                            const QString& extension, const QString& depart) override;
    std::optional<QString> Fichier_A_Enregistrer(QWidget* parent, const QString& titre, const QString& filtre,
                                                 const QString& extension, const QString& depart) override;
    std::optional<QString> Dossier(QWidget* parent, const QString& titre, const QString& depart) override;
    bool Imprimante(QWidget* parent, QPrinter& printer) override;
    std::optional<int> Choix(QWidget* parent, const QString& titre, const QString& libelle,
                             const QStringList& elements, int propose) override;

    void Change_Langue(int langue) override { traductions_.Applique(langue); }

  private:
    Traductions_Qt traductions_;
};

}  // namespace kestrane
