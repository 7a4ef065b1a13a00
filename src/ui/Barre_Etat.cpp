#include "Barre_Etat.h"

#include <QFrame>
#include <QLabel>

namespace kestrane {

Barre_Etat::Barre_Etat(QWidget* parent) : QWidget(parent) {
    setObjectName("sbStatusBar");
    panneau1_ = new QLabel(this);
    panneau1_->setTextFormat(Qt::PlainText);  // the base's questions and states, as written
    panneau1_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panneau2_ = new QFrame(this);
    static_cast<QFrame*>(panneau2_)->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setFixedHeight(fontMetrics().height() + 10);
}

void Barre_Etat::Texte_Panneau1(const QString& texte) { panneau1_->setText(texte); }
QString Barre_Etat::Texte_Panneau1() const { return panneau1_->text(); }
QRect Barre_Etat::Panneau2() const { return panneau2_->geometry(); }

void Barre_Etat::resizeEvent(QResizeEvent*) {
    // The first panel takes three fifths; the results label needs the rest.
    const int premier = width() * 3 / 5;
    panneau1_->setGeometry(0, 0, premier, height());
    panneau2_->setGeometry(premier, 0, width() - premier, height());
}

}  // namespace kestrane
