#pragma once
// The options dialog: the display threshold of the species list, its thumbnails, the dynamic pointer, how Search
// chooses its question, the interface language and where the documents are read. It shows the
// current values and changes them, and the per-user store, on Apply or OK. Choosing a language
// changes `langue` at once (the messages follow it from then on); Cancel does not undo that, and
// only Apply or OK store it.

#include <QDialog>

#include <cstdint>

#include "Magasin_Utilisateur.h"
#include "Reglages.h"

class QCheckBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

namespace kestrane {

class Dialogues;

class frmOptions : public QDialog {
    Q_OBJECT
public:
    frmOptions(Reglages& reglages, int16_t& langue, Magasin_Utilisateur& magasin, Dialogues& dialogues,
               QWidget* parent = nullptr);

    // The controls, named as the program names them (tests drive them).
    QTabWidget* tbsOptions = nullptr;
    QRadioButton* Option1 = nullptr;  // list the species above the threshold
    QRadioButton* Option2 = nullptr;  // list all the species
    QSlider* Reglage_Valeur = nullptr;
    QLabel* Label1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;  // the species' thumbnails in the results list
    QRadioButton* Option8 = nullptr;  // Search proposes the most discriminant character
    QRadioButton* Option9 = nullptr;  // Search asks only what applies to the answers given
    QDoubleSpinBox* Tolerance = nullptr;  // of measured values, percent
    QLabel* Label_Tolerance = nullptr;
    QRadioButton* Option3 = nullptr;  // English
    QRadioButton* Option4 = nullptr;  // Spanish
    QRadioButton* Option5 = nullptr;  // French
    QRadioButton* Option6 = nullptr;  // web site
    QLineEdit* httptext = nullptr;
    QRadioButton* Option7 = nullptr;  // hard disk
    QLineEdit* hdtext = nullptr;
    QPushButton* Command1 = nullptr;  // folder browser
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdApply = nullptr;

    void Applique();  // what Apply does

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void Construit();
    void Charge();
    void Affiche_Valeur(int valeur);
    void Parcourt_Dossier();
    bool Touche(int touche, Qt::KeyboardModifiers modificateurs);

    Reglages& reglages_;
    int16_t& langue_;
    Magasin_Utilisateur& magasin_;
    Dialogues& dialogues_;
};

}  // namespace kestrane
