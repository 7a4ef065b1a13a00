#pragma once
// The dialogs shown to the user: QMessageBox, QFileDialog and QPrintDialog.

#include "Dialogues.h"

namespace kestrane {

class Dialogues_Qt : public Dialogues {
public:
    Reponse Message(QWidget* parent, const QString& texte, Boutons boutons, Icone icone,
                    const QString& titre) override;
    std::optional<QString> Fichier_A_Ouvrir(QWidget* parent, const QString& titre, const QString& filtre,
                                            const QString& extension) override;
    std::optional<QString> Fichier_A_Enregistrer(QWidget* parent, const QString& titre, const QString& filtre,
                                                 const QString& extension) override;
    std::optional<QString> Dossier(QWidget* parent, const QString& titre, const QString& depart) override;
    bool Imprimante(QWidget* parent, QPrinter& printer) override;
};

}  // namespace kestrane
