#include "Champ_Mesure.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cmath>

#include "Mesures_Objets.h"

namespace kestrane {

std::optional<double> Lit_Nombre_Saisi(const QString& texte) {
    QString t = texte.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);  // the C locale: the point is the decimal mark
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

Champ_Mesure::Champ_Mesure(QWidget* couvert)
    : QWidget(couvert),
      question_(new QLabel(this)),
      saisie_(new QLineEdit(this)),
      unite_(new QLabel(this)),
      tolerance_(new QLabel(this)),
      indication_(new QLabel(this)) {
    setObjectName(QStringLiteral("Champ_Mesure"));
    saisie_->setObjectName(QStringLiteral("Valeur_Mesure"));
    setAutoFillBackground(true);
    auto* disposition = new QVBoxLayout(this);
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(saisie_, 1);
    ligne->addWidget(unite_);
    for (QLabel* l : {question_, indication_}) {
        l->setWordWrap(true);
        l->setTextFormat(Qt::PlainText);
    }
    QFont gras = question_->font();
    gras.setBold(true);
    question_->setFont(gras);
    disposition->addWidget(question_);
    disposition->addLayout(ligne);
    disposition->addWidget(tolerance_);
    disposition->addWidget(indication_);
    disposition->addStretch(1);
    setFocusProxy(saisie_);
    setGeometry(couvert->rect());
    couvert->installEventFilter(this);
    hide();
}

void Champ_Mesure::Ouvre(const QString& question, const QString& unite, double tolerance, const QString& indication,
                         std::optional<double> valeur) {
    question_->setText(question);
    unite_->setText(unite);
    unite_->setVisible(!unite.isEmpty());
    tolerance_->setText(QStringLiteral("\u00b1 %1 %").arg(QString::fromStdString(Texte_Nombre(tolerance))));
    indication_->setText(indication);
    saisie_->setText(valeur ? QString::fromStdString(Texte_Nombre(*valeur)) : QString());
    saisie_->selectAll();
    setGeometry(parentWidget()->rect());
    show();
    raise();
    saisie_->setFocus(Qt::OtherFocusReason);
}

std::optional<double> Champ_Mesure::Valeur() const {
    return Lit_Nombre_Saisi(saisie_->text());
}

bool Champ_Mesure::Vide() const {
    return saisie_->text().trimmed().isEmpty();
}

bool Champ_Mesure::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == parentWidget() && evenement->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(objet, evenement);
}

void Champ_Mesure::keyPressEvent(QKeyEvent* evenement) {
    switch (evenement->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        evenement->accept();
        emit Confirme();
        return;
    case Qt::Key_Escape:
        evenement->accept();
        emit Retour();
        return;
    default:
        // Everything else stays here: the chooser beneath must not see the keys meant for the field.
        evenement->accept();
    }
}

}  // namespace kestrane
