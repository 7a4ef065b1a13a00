#include "Dialogues_Qt.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

namespace kestrane {

QString Filtre_Qt(const QString& filtre) {
    const QStringList parts = filtre.split('|');
    QStringList filtres;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString motif = QString(parts[i + 1]).replace(';', ' ');
        // Qt reads the patterns from the parentheses; a label that already shows them is kept.
        filtres << (parts[i].contains('(' + motif + ')') ? parts[i] : parts[i] + " (" + motif + ")");
    }
    return filtres.join(";;");
}

Reponse Dialogues_Qt::Message(QWidget* parent, const QString& texte, Boutons boutons, Icone icone,
                              const QString& titre) {
    QMessageBox box(parent);
    box.setWindowTitle(titre);
    box.setTextFormat(Qt::PlainText);  // messages may quote the base's texts: shown as written
    box.setText(texte);
    switch (icone) {
        case Icone::Aucune:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case Icone::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case Icone::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icone::Information:
            box.setIcon(QMessageBox::Information);
            break;
    }
    switch (boutons) {
        case Boutons::OK:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Boutons::Oui_Non:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case Boutons::Oui_Non_Annuler:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Reponse::Oui;
        case QMessageBox::No:
            return Reponse::Non;
        case QMessageBox::Ok:
            return Reponse::OK;
        default:
            return boutons == Boutons::Oui_Non ? Reponse::Non : Reponse::Annuler;
    }
}

namespace {

// A file dialog for opening or saving, with the extension added to a name typed without it.
std::optional<QString> Fichier_Choisi(QWidget* parent, const QString& titre, const QString& filtre,
                                      const QString& extension, const QString& depart,
                                      QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, titre, depart, Filtre_Qt(filtre));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString(extension).remove(0, extension.startsWith('.') ? 1 : 0));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

}  // namespace

std::optional<QString> Dialogues_Qt::Fichier_A_Ouvrir(QWidget* parent, const QString& titre,
                                                      const QString& filtre, const QString& extension,
                                                      const QString& depart) {
    return Fichier_Choisi(parent, titre, filtre, extension, depart, QFileDialog::AcceptOpen);
}

std::optional<QString> Dialogues_Qt::Fichier_A_Enregistrer(QWidget* parent, const QString& titre,
                                                           const QString& filtre, const QString& extension,
                                                           const QString& depart) {
    return Fichier_Choisi(parent, titre, filtre, extension, depart, QFileDialog::AcceptSave);
}

std::optional<QString> Dialogues_Qt::Dossier(QWidget* parent, const QString& titre, const QString& depart) {
    const QString dossier =
        QFileDialog::getExistingDirectory(parent, titre, depart, QFileDialog::ShowDirsOnly);
    if (dossier.isEmpty())
        return std::nullopt;
    return dossier;
}

bool Dialogues_Qt::Imprimante(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<int> Dialogues_Qt::Choix(QWidget* parent, const QString& titre, const QString& libelle,
                                       const QStringList& elements, int propose) {
    bool accepte = false;
    const QString choisi = QInputDialog::getItem(parent, titre, libelle, elements, propose, false, &accepte);
    const auto index = elements.indexOf(choisi);
    if (!accepte || index < 0)
        return std::nullopt;
    return static_cast<int>(index);
}

}  // namespace kestrane
