#include "frmPrint.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "Table_Chaines.h"

namespace kestrane {

frmPrint::frmPrint(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
    setObjectName("frmPrint");
    Attente = new QProgressBar(this);
    Attente->setObjectName("Attente");
    Attente->setTextVisible(false);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setAlignment(Qt::AlignCenter);
    Abord_But = new QPushButton(this);
    Abord_But->setObjectName("Abord_But");
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(Label1);
    disposition->addWidget(Attente);
    disposition->addWidget(Abord_But, 0, Qt::AlignHCenter);
    setMinimumWidth(320);
    Traduit(0);
    connect(Abord_But, &QPushButton::clicked, this, &frmPrint::Abandon_Demande);
}

void frmPrint::Traduit(int langue) {
    const QString titre = QString::fromStdString(Chaine_Ou_Anglais(1057, langue));
    setWindowTitle(titre);
    Label1->setText(QString::fromStdString(Chaine_Ou_Anglais(1027, langue)));
    Abord_But->setText(QString::fromStdString(Chaine_Ou_Anglais(1043, langue)));
}

void frmPrint::Montre_Centre() {
    adjustSize();
    QScreen* ecran = parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (ecran != nullptr) {
        QRect cadre = frameGeometry();
        cadre.moveCenter(ecran->availableGeometry().center());
        move(cadre.topLeft());
    }
    show();
}

}  // namespace kestrane
