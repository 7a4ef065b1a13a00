// The main window's file, edit and document commands (New, Open, Save, Print, Copy, Help, the
// contradictions), and the questions asked before it closes.

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QTreeView>
#include <QUrl>

#include "Barre_Etat.h"
#include "Chemins_Documents.h"
#include "Chemins_Fichiers.h"
#include "Copie_Portrait.h"
#include "Documents.h"
#include "Echange_Identification.h"
#include "Historique_Reponses.h"
#include "Impression.h"
#include "Portrait_Questions.h"
#include "Textes_Ajoutes.h"
#include "WebTexte.h"
#include "frmLegende.h"
#include "frmZoom.h"
#include "frmMain.h"

namespace kestrane {
namespace {

QString Q(const std::string& texte) { return QString::fromStdString(texte); }

}  // namespace

void frmMain::Ouvre_Aide() {
    const auto ouvre = [this](const QString& chemin) {
        const QUrl adresse = QUrl::fromLocalFile(chemin);
        return contexte_.ouvre_adresse ? contexte_.ouvre_adresse(adresse) : QDesktopServices::openUrl(adresse);
    };
    const QString chm = Q(Trouve_Fichier(contexte_.reglages.Rep_Executables + "help/Kestrane.chm"));
    if (QFileInfo(chm).isFile() && ouvre(chm)) return;
    // Otherwise the HTML guide: the one shipped with the program, else the one beside the base.
    QString guide = Q(contexte_.guide_utilisateur);
    if (guide.isEmpty()) guide = Q(Trouve_Fichier(contexte_.reglages.Rep_Executables + "help/guide.html"));
    if (!QFileInfo(guide).isFile()) {
        Demande(Q(std::string(Chaine_Ajoutee(Texte_Ajoute::Aide_Introuvable, contexte_.Langue))), Boutons::OK,
                Icone::Exclamation, Titre_Programme());
        return;
    }
    if (ouvre(guide)) return;
    // No program of the desktop shows HTML: the document view does, in the species view.
    if (mode_affichage_ != 3 && mode_affichage_ != 4) mnuViewSpecies->trigger();
    documents_->Affiche_Fichier(QFileInfo(guide).absoluteFilePath());
}

QString frmMain::Dossier_Fichiers() const {
    return dossier_fichiers_.isEmpty() ? QDir::homePath() : dossier_fichiers_;
}

void frmMain::Traiter_Fichier(const QString& cle, const QString& argument) {
    if (!identification_) return;
    if (cle == "New") {
        Nouvelle();
    } else if (cle == "Open") {
        Ouvre(argument);
    } else if (cle == "Save") {
        Exec_Save();
    } else if (cle == "Help") {
        Ouvre_Aide();
    } else if (cle == "Contra") {
        Montre_Contradictions();
    } else if (cle == "Arriere") {
        documents_->Arriere();
    } else if (cle == "Avant") {
        documents_->Avant();
    } else if (cle == "Stop") {
        documents_->Stop();
    } else if (cle == "Print") {
        Imprime();
    } else if (cle == "Copy") {
        // Nothing is copied from the document view.
        if (!WebTexte->isVisible()) {
            Sablier(true);
            Copie_Portrait::Copie(*portrait_, contexte_.reglages, identification_->Question.Popup);
            Sablier(false);
        }
    }
}

void frmMain::Imprime() {
    // A failed print is not reported: the command goes on as the user left it.
    if (WebTexte->isVisible()) {
        // The drawing page is told as the document view tells it when it loads.
        const QString adresse = documents_->Vue().LocationURL();
        // A species without a drawing has its drawing page printed as the page it is.
        if (contexte_.reglages.Distribution == "hd" &&
            Est_Page_Dessin(adresse, documents_->Etat().Code_Esp_Courant) &&
            !documents_->Etat().Image_Dessin.isNull()) {
            (void)impression_->Imprime_Dessin(documents_->Etat().Image_Dessin);
        } else {
            documents_->Imprime_Document();
        }
    } else if (Robot->isVisible()) {
        (void)impression_->Imprime_Portrait(identification_->Etats_Choisis());
    } else if (Pic_Choix->isVisible()) {
        (void)impression_->Imprime_Choix(identification_->Question.Popup);
    }
}

void frmMain::Nouvelle() {
    if (!Enregistre_Avant(Chaine_Texte(1023)))
        return;
    Sablier(true);
    historique_->Commence();
    portrait_->Retire_Contradictions();
    if (Status s = identification_->Nouvelle_Identification(); !s) Message(s.message());
    fichier_courant_.clear();
    historique_->Termine(Genre_Changement::Nouvelle, std::nullopt, "");
    Revient_Au_Portrait(false);
    Actualise_Reponses();
    Sablier(false);
}

void frmMain::Revient_Au_Portrait(bool enregistrer_sous) {
    setWindowTitle(fichier_courant_.isEmpty() ? titre_fenetre_ : titre_fenetre_ + " [" + fichier_courant_ + "]");
    mnuFileSave->setEnabled(false);
    mnuFileSaveAs->setEnabled(enregistrer_sous);
    Desactive_Bouton("Save");
    sbStatusBar->Texte_Panneau1(QString());
    Robot->update();
    Vue_Identification();
    mnuViewSpecies->setChecked(false);
    mnuViewResults->setChecked(false);
    mnuViewIdentification->setChecked(true);
    Positionne_Controles();
}

bool frmMain::Enregistre_Avant(const QString& titre) {
    if (!identification_->Identification_Modifiee())
        return true;
    const Reponse r = Demande(Chaine_Texte(1072), Boutons::Oui_Non_Annuler, Icone::Exclamation, titre);
    if (r == Reponse::Annuler)
        return false;
    // A save that did not happen (dialog cancelled, write failed) stops the command: the work
    // it would replace is not lost.
    return r == Reponse::Non || Exec_Save();
}

bool frmMain::Exec_Save() {
    const QString fichier_avant = fichier_courant_;
    const bool save_avant = mnuFileSave->isEnabled();
    if (!mnuFileSave->isEnabled()) {
        const auto nom = contexte_.dialogues.Fichier_A_Enregistrer(this, Chaine_Texte(1025), Chaine_Texte(1052), ".ido",
                                                                   Dossier_Fichiers());
        if (!nom) return false;
        mnuFileSave->setEnabled(true);
        fichier_courant_ = *nom;
    } else if (fichier_courant_.isEmpty()) {
        return false;
    }
    Sablier(true);
    const Status s = Enregistre_Identification(*identification_, fichier_courant_.toStdString());
    Sablier(false);
    if (!s) {
        // Nothing was written over the old file: say so, keep the changes marked and the file
        // as it was, so that the next Save asks for another name.
        fichier_courant_ = fichier_avant;
        mnuFileSave->setEnabled(save_avant);
        Demande(Q(s.message()), Boutons::OK, Icone::Exclamation, titre_fenetre_);
        return false;
    }
    setWindowTitle(titre_fenetre_ + " [" + fichier_courant_ + "]");
    Desactive_Bouton("Save");
    mnuFileSave->setEnabled(false);
    historique_->Enregistre(fichier_courant_.toStdString());
    dossier_fichiers_ = QFileInfo(fichier_courant_).absolutePath();
    return true;
}

void frmMain::Ouvre(const QString& argument) {
    QString chemin = argument;
    if (chemin.isEmpty()) {
        if (!Enregistre_Avant(Chaine_Texte(1024)))
            return;
        const auto nom =
            contexte_.dialogues.Fichier_A_Ouvrir(this, Chaine_Texte(1024), Chaine_Texte(1052), ".ido", Dossier_Fichiers());
        if (!nom || nom->isEmpty()) return;
        chemin = *nom;
    }
    Sablier(true);
    historique_->Commence();
    const Status s = Ouvre_Identification(*identification_, *base_, chemin.toStdString());
    Sablier(false);
    if (!s) {
        if (s.code() == static_cast<int>(Erreur_Identification::Dessin)) {
            Demande(Q(s.message()), Boutons::OK, Icone::Aucune, Titre_Programme());
        } else if (s.code() == static_cast<int>(Erreur_Identification::Ouverture)) {
            historique_->Abandonne();
            fichier_courant_ = chemin;
            Demande(chemin + Chaine_Texte(1074), Boutons::OK, Icone::Aucune, Titre_Programme());
            return;
        } else {
            historique_->Abandonne();
            Demande(Q(s.message()), Boutons::OK, Icone::Exclamation, Titre_Programme());
            return;
        }
    }
    fichier_courant_ = chemin;
    dossier_fichiers_ = QFileInfo(chemin).absolutePath();
    historique_->Termine(Genre_Changement::Ouverture, std::nullopt, chemin.toStdString());
    Revient_Au_Portrait(true);
    Actualise_Reponses();
}

void frmMain::Montre_Contradictions() {
    const QModelIndex selection = Liste_Esp->currentIndex();
    if (!selection.isValid()) return;
    // The portrait's display ends in the identification view.
    mnuViewIdentification->setChecked(true);
    mnuViewResults->setChecked(false);
    mnuViewSpecies->setChecked(false);
    portrait_->Affiche_Contradictions(identification_->Contradictions(selection.row()));
    Positionne_Controles();
}

// --- Close ---------------------------------------------------------------------------------

void frmMain::closeEvent(QCloseEvent* evenement) {
    // The zoom and legend windows step aside while the questions are asked.
    QWidget* zoom = documents_ ? static_cast<QWidget*>(&documents_->Zoom()) : nullptr;
    QWidget* legende = documents_ ? static_cast<QWidget*>(&documents_->Legende()) : nullptr;
    const bool zoom_visible = zoom && zoom->isVisible();
    const bool legende_visible = legende && legende->isVisible();
    if (zoom) zoom->hide();
    if (legende) legende->hide();
    auto annule = [&] {
        evenement->ignore();
        for (auto [fenetre, visible] : {std::pair{zoom, zoom_visible}, std::pair{legende, legende_visible}}) {
            if (visible) fenetre->show();
        }
    };
    if (Demande(Chaine_Texte(1071), Boutons::Oui_Non, Icone::Question, windowTitle()) == Reponse::Non) {
        annule();
        return;
    }
    if (identification_ && !Enregistre_Avant(windowTitle())) {
        annule();
        return;
    }
    evenement->accept();
}

}  // namespace kestrane
