#include "Dialogues_Scriptes.h"

#include <QPrinter>
#include <QWidget>

#include <gtest/gtest.h>

namespace kestrane::test {

namespace {

// The next scripted answer of a kind; with none scripted, a failure and `defaut`.
template <class T>
T Suivante(std::deque<T>& reponses, int& sans_reponse, const QString& question, T defaut) {
    if (reponses.empty()) {
        ++sans_reponse;
        ADD_FAILURE() << "unscripted " << question.toStdString();
        return defaut;
    }
    T r = std::move(reponses.front());
    reponses.pop_front();
    return r;
}

}  // namespace

Reponse Dialogues_Scriptes::Message(QWidget* parent, const QString& texte, Boutons boutons, Icone icone,
                                    const QString& titre) {
    messages.push_back({texte, boutons, icone, titre, parent != nullptr && parent->isVisible()});
    return Suivante(reponses, questions_sans_reponse, "message: " + texte,
                    boutons == Boutons::OK ? Reponse::OK : Reponse::Annuler);
}

std::optional<QString> Dialogues_Scriptes::Fichier_A_Ouvrir(QWidget*, const QString& titre, const QString& filtre,
                                                            const QString&, const QString& depart) {
    titres_fichiers.push_back(titre);
    filtres_fichiers.push_back(filtre);
    departs_fichiers.push_back(depart);
    return Suivante(fichiers, questions_sans_reponse, "file dialog: " + titre, std::optional<QString>());
}

std::optional<QString> Dialogues_Scriptes::Fichier_A_Enregistrer(QWidget* parent, const QString& titre,
                                                                 const QString& filtre, const QString& extension,
                                                                 const QString& depart) {
    return Fichier_A_Ouvrir(parent, titre, filtre, extension, depart);
}

std::optional<QString> Dialogues_Scriptes::Dossier(QWidget*, const QString& titre, const QString&) {
    titres_fichiers.push_back(titre);
    return Suivante(dossiers, questions_sans_reponse, "folder dialog: " + titre, std::optional<QString>());
}

bool Dialogues_Scriptes::Imprimante(QWidget*, QPrinter& printer) {
    const bool ok = Suivante(imprimantes, questions_sans_reponse, "printer dialog", false);
    if (ok && !fichier_impression.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(fichier_impression);
    }
    return ok;
}

std::optional<int> Dialogues_Scriptes::Choix(QWidget*, const QString& titre, const QString&,
                                             const QStringList& elements, int) {
    listes_choix.push_back(elements);
    return Suivante(choix, questions_sans_reponse, "choice: " + titre, std::optional<int>());
}

}  // namespace kestrane::test
