#include "Dialogues_Scriptes.h"

#include <QPrinter>
#include <QWidget>

#include <gtest/gtest.h>

namespace kestrane::test {

Reponse Dialogues_Scriptes::Message(QWidget* parent, const QString& texte, Boutons boutons, Icone icone,
                                    const QString& titre) {
    messages.push_back({texte, boutons, icone, titre, parent != nullptr && parent->isVisible()});
    if (reponses.empty()) {
        ++questions_sans_reponse;
        ADD_FAILURE() << "unscripted message: " << texte.toStdString();
        return boutons == Boutons::OK ? Reponse::OK : Reponse::Annuler;
    }
    const Reponse r = reponses.front();
    reponses.pop_front();
    return r;
}

std::optional<QString> Dialogues_Scriptes::Fichier_A_Ouvrir(QWidget*, const QString& titre, const QString& filtre,
                                                            const QString&) {
    titres_fichiers.push_back(titre);
    filtres_fichiers.push_back(filtre);
    if (fichiers.empty()) {
        ++questions_sans_reponse;
        ADD_FAILURE() << "unscripted open dialog: " << titre.toStdString();
        return std::nullopt;
    }
    auto f = fichiers.front();
    fichiers.pop_front();
    return f;
}

std::optional<QString> Dialogues_Scriptes::Fichier_A_Enregistrer(QWidget* parent, const QString& titre,
                                                                 const QString& filtre, const QString& extension) {
    return Fichier_A_Ouvrir(parent, titre, filtre, extension);
}

std::optional<QString> Dialogues_Scriptes::Dossier(QWidget*, const QString& titre, const QString&) {
    titres_fichiers.push_back(titre);
    if (dossiers.empty()) {
        ++questions_sans_reponse;
        ADD_FAILURE() << "unscripted folder dialog: " << titre.toStdString();
        return std::nullopt;
    }
    auto d = dossiers.front();
    dossiers.pop_front();
    return d;
}

bool Dialogues_Scriptes::Imprimante(QWidget*, QPrinter& printer) {
    if (imprimantes.empty()) {
        ++questions_sans_reponse;
        ADD_FAILURE() << "unscripted printer dialog";
        return false;
    }
    const bool ok = imprimantes.front();
    imprimantes.pop_front();
    if (ok && !fichier_impression.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(fichier_impression);
    }
    return ok;
}

std::optional<int> Dialogues_Scriptes::Choix(QWidget*, const QString& titre, const QString&,
                                             const QStringList& elements, int propose) {
    listes_choix.push_back(elements);
    choix_proposes.push_back(propose);
    if (choix.empty()) {
        ++questions_sans_reponse;
        ADD_FAILURE() << "unscripted choice: " << titre.toStdString();
        return std::nullopt;
    }
    const auto c = choix.front();
    choix.pop_front();
    return c;
}

}  // namespace kestrane::test
