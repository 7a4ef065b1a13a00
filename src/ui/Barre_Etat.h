#pragma once
// The status bar: a first panel for texts (the question being asked, a document's address) and a
// second panel over which the main window lays the results label.

#include <QWidget>

class QLabel;

namespace kestrane {

class Barre_Etat : public QWidget {
    Q_OBJECT
public:
    explicit Barre_Etat(QWidget* parent = nullptr);

    void Texte_Panneau1(const QString& texte);
    QString Texte_Panneau1() const;
    // The second panel's place, in the bar's own pixels.
    QRect Panneau2() const;

protected:
    void resizeEvent(QResizeEvent* evenement) override;

private:
    QLabel* panneau1_ = nullptr;
    QWidget* panneau2_ = nullptr;
};

}  // namespace kestrane
