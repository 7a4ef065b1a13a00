#include "frmOptions.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

#include "Conversions.h"
#include "Dialogues.h"
#include "Table_Chaines.h"
#include "Textes_Ajoutes.h"
#include "Traduit_Feuille.h"

namespace kestrane {

frmOptions::frmOptions(Reglages& reglages, int16_t& langue, Magasin_Utilisateur& magasin, Dialogues& dialogues,
                       QWidget* parent)
    : QDialog(parent), reglages_(reglages), langue_(langue), magasin_(magasin), dialogues_(dialogues) {
    setObjectName("frmOptions");
    Construit();
    Traduit_Feuille(this, langue_);
    Charge();
}

void frmOptions::Construit() {
    setProperty("Tag", 1037);
    setWindowTitle("Options");
    auto* principal = new QVBoxLayout(this);

    tbsOptions = new QTabWidget(this);
    tbsOptions->setObjectName("tbsOptions");
    tbsOptions->setProperty("TabTags", QVariantList{1100, 1101, 1102});
    principal->addWidget(tbsOptions);

    // Tab 1: the species threshold and the pointer.
    auto* params = new QWidget;
    params->setObjectName("Frame1_0");
    auto* params_layout = new QVBoxLayout(params);
    auto* frame2 = new QGroupBox(" Species ");
    Lie_Texte(frame2, 1103);
    auto* frame2_layout = new QGridLayout(frame2);
    Option1 = new QRadioButton("List the species above : ");
    Lie_Texte(Option1, 1105);
    Option2 = new QRadioButton("List all the species");
    Lie_Texte(Option2, 1106);
    Reglage_Valeur = new QSlider(Qt::Horizontal);
    Reglage_Valeur->setRange(0, 100);
    Reglage_Valeur->setTickInterval(10);
    Reglage_Valeur->setTickPosition(QSlider::TicksBelow);
    Label1 = new QLabel;
    Label1->setMinimumWidth(50);
    frame2_layout->addWidget(Option1, 0, 0, 1, 2);
    frame2_layout->addWidget(Reglage_Valeur, 1, 0);
    frame2_layout->addWidget(Label1, 1, 1);
    frame2_layout->addWidget(Option2, 2, 0, 1, 2);
    Check2 = new QCheckBox(QString::fromUtf8(Chaine_Ajoutee(Texte_Ajoute::Option_Vignettes, langue_)));
    Check2->setObjectName("Check2");
    frame2_layout->addWidget(Check2, 3, 0, 1, 2);
    auto* frame3 = new QGroupBox(" Cursor ");
    Lie_Texte(frame3, 1104);
    auto* frame3_layout = new QVBoxLayout(frame3);
    Check1 = new QCheckBox(" Dynamic cursor");
    Lie_Texte(Check1, 1107);
    frame3_layout->addWidget(Check1);
    auto* frame6 = new QGroupBox(" Search ");
    Lie_Texte(frame6, 1115);
    auto* frame6_layout = new QVBoxLayout(frame6);
    Option8 = new QRadioButton("The most discriminant character");
    Lie_Texte(Option8, 1116);
    Option9 = new QRadioButton("Only characters that apply to the answers given");
    Lie_Texte(Option9, 1117);
    frame6_layout->addWidget(Option8);
    frame6_layout->addWidget(Option9);
    params_layout->addWidget(frame2);
    params_layout->addWidget(frame3);
    params_layout->addWidget(frame6);
    auto* tolerance = new QHBoxLayout;
    Label_Tolerance = new QLabel;
    Tolerance = new QDoubleSpinBox;
    Tolerance->setObjectName("Tolerance");
    Tolerance->setRange(0, 1000);
    Tolerance->setDecimals(1);
    Tolerance->setSuffix(" %");
    Label_Tolerance->setBuddy(Tolerance);
    tolerance->addWidget(Label_Tolerance, 1);
    tolerance->addWidget(Tolerance);
    params_layout->addLayout(tolerance);
    params_layout->addStretch();
    tbsOptions->addTab(params, "Params");

    // Tab 2: the language.
    auto* langues = new QWidget;
    langues->setObjectName("Frame1_1");
    auto* langues_layout = new QVBoxLayout(langues);
    auto* frame4 = new QGroupBox(" Language ");
    Lie_Texte(frame4, 1108);
    auto* frame4_layout = new QVBoxLayout(frame4);
    Option3 = new QRadioButton("English");
    Lie_Texte(Option3, 1109);
    Option4 = new QRadioButton("Spanish");
    Lie_Texte(Option4, 1110);
    Option5 = new QRadioButton("French");
    Lie_Texte(Option5, 1111);
    for (auto* option : {Option3, Option4, Option5}) frame4_layout->addWidget(option);
    langues_layout->addWidget(frame4);
    langues_layout->addStretch();
    tbsOptions->addTab(langues, "Language");

    // Tab 3: where the documents are read.
    auto* dossiers = new QWidget;
    dossiers->setObjectName("Frame1_2");
    auto* dossiers_layout = new QVBoxLayout(dossiers);
    auto* frame5 = new QGroupBox(" Documents directories ");
    Lie_Texte(frame5, 1112);
    auto* frame5_layout = new QGridLayout(frame5);
    Option6 = new QRadioButton("Web site. Adress :");
    Lie_Texte(Option6, 1113);
    httptext = new QLineEdit;
    Option7 = new QRadioButton("Hard disk drive. Path :");
    Lie_Texte(Option7, 1114);
    hdtext = new QLineEdit;
    Command1 = new QPushButton("...");
    Command1->setObjectName("Command1");
    frame5_layout->addWidget(Option6, 0, 0, 1, 2);
    frame5_layout->addWidget(httptext, 1, 0, 1, 2);
    frame5_layout->addWidget(Option7, 2, 0, 1, 2);
    frame5_layout->addWidget(hdtext, 3, 0);
    frame5_layout->addWidget(Command1, 3, 1);
    dossiers_layout->addWidget(frame5);
    dossiers_layout->addStretch();
    tbsOptions->addTab(dossiers, "Directories");

    auto* boutons = new QHBoxLayout;
    cmdOK = new QPushButton("OK");
    Lie_Texte(cmdOK, 1044);
    cmdCancel = new QPushButton("Cancel");
    Lie_Texte(cmdCancel, 1043);
    cmdApply = new QPushButton("&Apply");
    Lie_Texte(cmdApply, 1042);
    cmdOK->setDefault(true);
    boutons->addStretch();
    for (auto* b : {cmdOK, cmdCancel, cmdApply}) boutons->addWidget(b);
    principal->addLayout(boutons);

    // The two option groups are independent.
    auto* groupe_seuil = new QButtonGroup(this);
    groupe_seuil->addButton(Option1);
    groupe_seuil->addButton(Option2);
    auto* groupe_recherche = new QButtonGroup(this);
    groupe_recherche->addButton(Option8);
    groupe_recherche->addButton(Option9);
    auto* groupe_documents = new QButtonGroup(this);
    groupe_documents->addButton(Option6);
    groupe_documents->addButton(Option7);

    connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Reglage_Valeur->setEnabled(true);
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (!on) return;
        Reglage_Valeur->setValue(70);
        Reglage_Valeur->setEnabled(false);
    });
    connect(Reglage_Valeur, &QSlider::valueChanged, this, &frmOptions::Affiche_Valeur);
    // The language changes at once, for the messages and for the dialogs' own texts.
    for (auto [option, langue] : {std::pair{Option3, 0}, std::pair{Option4, 1}, std::pair{Option5, 2}}) {
        connect(option, &QRadioButton::clicked, this, [this, langue = langue] {
            langue_ = static_cast<int16_t>(langue);
            Label_Tolerance->setText(QString::fromUtf8(Chaine_Ajoutee(Texte_Ajoute::Options_Tolerance, langue_).data()));
            dialogues_.Change_Langue(langue);
        });
    }
    connect(Option6, &QRadioButton::clicked, this, [this] {
        hdtext->setEnabled(false);
        httptext->setEnabled(true);
    });
    connect(Option7, &QRadioButton::clicked, this, [this] {
        httptext->setEnabled(false);
        hdtext->setEnabled(true);
    });
    connect(Command1, &QPushButton::clicked, this, &frmOptions::Parcourt_Dossier);
    connect(cmdApply, &QPushButton::clicked, this, &frmOptions::Applique);
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        Applique();
        accept();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    // The dialog sees Ctrl+Tab before any of its controls.
    installEventFilter(this);
    for (QWidget* controle : findChildren<QWidget*>()) controle->installEventFilter(this);
}

void frmOptions::Charge() {
    if (reglages_.Seuil_Pourcent != 0) {
        Option1->setChecked(true);
        Reglage_Valeur->setEnabled(true);
        Reglage_Valeur->setValue(reglages_.Seuil_Pourcent);
    } else {
        Option2->setChecked(true);
        Reglage_Valeur->setEnabled(false);
    }
    Affiche_Valeur(Reglage_Valeur->value());
    Check1->setChecked(reglages_.Curseur_Dynamique);
    Tolerance->setValue(reglages_.Tolerance_Mesure);
    Label_Tolerance->setText(QString::fromUtf8(Chaine_Ajoutee(Texte_Ajoute::Options_Tolerance, langue_).data()));
    Check2->setChecked(reglages_.Vignettes_Especes);
    (reglages_.Strategie == Strategie_Recherche::Applicable ? Option9 : Option8)->setChecked(true);
    tbsOptions->setCurrentIndex(0);
    (langue_ == 1 ? Option4 : langue_ == 2 ? Option5 : Option3)->setChecked(true);
    if (reglages_.Distribution != "hd") {
        httptext->setText(QString::fromStdString(reglages_.Adresse_Documents));
        hdtext->clear();
        hdtext->setEnabled(false);
        Option6->setChecked(true);
    } else {
        hdtext->setText(QString::fromStdString(reglages_.Adresse_Documents));
        httptext->clear();
        httptext->setEnabled(false);
        Option7->setChecked(true);
    }
}

void frmOptions::Affiche_Valeur(int valeur) { Label1->setText(QString::fromStdString(Signed_Text(valeur) + " %")); }

void frmOptions::Parcourt_Dossier() {
    const QString titre = QString::fromStdString(Chaine_Ou_Anglais(1112, langue_));
    if (const auto dossier = dialogues_.Dossier(this, titre, hdtext->text())) {
        hdtext->setText(dossier->endsWith('/') ? *dossier : *dossier + "/");
    }
}

void frmOptions::Applique() {
    reglages_.Seuil_Pourcent = Option2->isChecked() ? int16_t{0} : static_cast<int16_t>(Reglage_Valeur->value());
    reglages_.Curseur_Dynamique = Check1->isChecked();
    reglages_.Tolerance_Mesure = Tolerance->value();
    reglages_.Vignettes_Especes = Check2->isChecked();
    reglages_.Strategie =
        Option9->isChecked() ? Strategie_Recherche::Applicable : Strategie_Recherche::Entropie;
    if (Option6->isChecked()) {
        if (!httptext->text().endsWith('/')) httptext->setText(httptext->text() + "/");
        reglages_.Distribution = "http";
        reglages_.Adresse_Documents = httptext->text().toStdString();
    } else {
        if (!hdtext->text().endsWith('/')) hdtext->setText(hdtext->text() + "/");
        reglages_.Distribution = "hd";
        reglages_.Adresse_Documents = hdtext->text().toStdString();
    }
    Ecrit_Options(magasin_, reglages_, langue_);
}

bool frmOptions::Touche(int touche, Qt::KeyboardModifiers modificateurs) {
    if (!(modificateurs & Qt::ControlModifier)) return false;
    const int n = tbsOptions->count();
    if (touche == Qt::Key_Tab && !(modificateurs & Qt::ShiftModifier)) {
        tbsOptions->setCurrentIndex((tbsOptions->currentIndex() + 1) % n);
        return true;
    }
    if (touche == Qt::Key_Backtab || (touche == Qt::Key_Tab && (modificateurs & Qt::ShiftModifier))) {
        tbsOptions->setCurrentIndex((tbsOptions->currentIndex() + n - 1) % n);
        return true;
    }
    return false;
}

bool frmOptions::eventFilter(QObject* objet, QEvent* evenement) {
    if (evenement->type() == QEvent::KeyPress || evenement->type() == QEvent::ShortcutOverride) {
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        if ((touche->key() == Qt::Key_Tab || touche->key() == Qt::Key_Backtab) &&
            (touche->modifiers() & Qt::ControlModifier)) {
            if (evenement->type() == QEvent::ShortcutOverride) {
                evenement->accept();  // keep it a key press, not a shortcut
                return true;
            }
            return Touche(touche->key(), touche->modifiers());
        }
    }
    return QDialog::eventFilter(objet, evenement);
}

}  // namespace kestrane
