#pragma once
// The progress window of a portrait print: the progress bar `Attente` (one step per portrait
// piece), the label `Label1` and the abort button `Abord_But`. It is not modal: the print lets
// pending events run between pieces, which is when a click on `Abord_But` is handled.
//
// The window does not know the printer: a click only emits Abandon_Demande, and whoever prints
// aborts its own job. Shown and hidden by Impression, which owns it.

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kestrane {

class frmPrint : public QWidget {
    Q_OBJECT
  public:
    explicit frmPrint(QWidget* parent = nullptr);

    // Captions in the interface language (0 English, 1 Spanish, 2 French).
    void Traduit(int langue);
    // Centres the window on the screen of `parent` (or the primary one) and shows it.
    void Montre_Centre();

    QProgressBar* Attente;
    QLabel* Label1;
    QPushButton* Abord_But;

  signals:
    void Abandon_Demande();
};

}  // namespace kestrane
