#pragma once
// Every modal interaction of the program goes through this interface: message boxes, the file,
// folder and printer dialogs, the choice from a list. The program uses the Qt dialogs; tests
// script the answers.

#include <QString>
#include <QStringList>

#include <optional>

class QPrinter;
class QWidget;

namespace kestrane {

// Answers carry the numbers the program's callers compare with.
enum class Reponse { OK = 1, Annuler = 2, Oui = 6, Non = 7 };
enum class Boutons { OK, Oui_Non, Oui_Non_Annuler };
enum class Icone { Aucune, Question, Exclamation, Information };

class Dialogues {
  public:
    virtual ~Dialogues() = default;

    virtual Reponse Message(QWidget* parent, const QString& texte, Boutons boutons, Icone icone,
                            const QString& titre) = 0;

    // `filtre` pairs labels and patterns separated by "|", as the string table holds them
    // ("Kestrane Files (*.ido)|*.ido|All Files (*.*)|*.*"). The dialog starts in the folder
    // `depart`. nullopt when cancelled.
    virtual std::optional<QString> Fichier_A_Ouvrir(QWidget* parent, const QString& titre, const QString& filtre,
                                                    const QString& extension, const QString& depart) = 0;
    // Asks before overwriting an existing file; adds `extension` (".ido") to a name without one.
    virtual std::optional<QString> Fichier_A_Enregistrer(QWidget* parent, const QString& titre,
                                                         const QString& filtre, const QString& extension,
                                                         const QString& depart) = 0;
    virtual std::optional<QString> Dossier(QWidget* parent, const QString& titre, const QString& depart) = 0;
    // Lets the user choose and set up the printer; false when cancelled.
    virtual bool Imprimante(QWidget* parent, QPrinter& printer) = 0;

    // The interface language changed (0 English, 1 Spanish, 2 French): the dialogs' own texts
    // (buttons, labels) follow it from the next dialog on.
    virtual void Change_Langue(int langue) = 0;

    // One of `elements`, `propose` preselected: its index, nullopt when cancelled.
    virtual std::optional<int> Choix(QWidget* parent, const QString& titre, const QString& libelle,
                                     const QStringList& elements, int propose) = 0;
};

// The filter of the Qt file dialogs for a "label|pattern|label|pattern" filter.
QString Filtre_Qt(const QString& filtre);

}  // namespace kestrane
