// The main window's three views (identification, results, species) and what shows, hides or
// refreshes them.

#include <QAction>
#include <QApplication>
#include <QTreeView>

#include "Barre_Etat.h"
#include "Barre_Principale.h"
#include "Documents.h"
#include "Portrait_Questions.h"
#include "Textes_Ajoutes.h"
#include "WebTexte.h"
#include "frmMain.h"

namespace kestrane {

void frmMain::Vue_Identification() {
    tbToolBar->Affiche_Positions(13, 22, false);
    if (documents_) {
        documents_->Cache_Fenetres();
        documents_->Libere_Dessin();
    }
    for (QWidget* w : {Small_Robot, Pic_Choix, static_cast<QWidget*>(Liste_Esp), Tree_esp, Barre_Verticale, WebTexte,
                       Barre_Question}) {
        w->hide();
    }
    QApplication::processEvents();
    Barre_Deter->show();
    Robot->show();
    mode_affichage_ = 1;
    Active_Bouton("Copy");
    if (portrait_) portrait_->Montre_Portrait();
    Actualise_Copie(Pic_Choix->isVisibleTo(surface_));
    Montre_Ajouts();
}

void frmMain::Vue_Resultats() {
    for (QWidget* w : {Robot, Pic_Choix, Tree_esp, Barre_Deter}) w->hide();
    if (portrait_) {
        portrait_->Retire_Contradictions();
        portrait_->Cache_Questions();
    }
    QApplication::processEvents();
    Small_Robot->setVisible(!portrait_ || !portrait_->Sans_Portrait());
    Liste_Esp->show();
    Barre_Verticale->show();
    Barre_Verticale->raise();
    WebTexte->show();
    Desactive_Bouton("Copy");
    tbToolBar->Affiche_Positions(13, contexte_.reglages.Distribution == "hd" ? 18 : 20, true);
    Montre_Ajouts();
    QApplication::processEvents();
    Clic_Liste();
}

void frmMain::Vue_Especes() {
    for (QWidget* w : {Robot, Pic_Choix, static_cast<QWidget*>(Liste_Esp), Barre_Deter}) w->hide();
    if (portrait_)
        portrait_->Cache_Questions();
    Small_Robot->setVisible(!portrait_ || !portrait_->Sans_Portrait());
    Tree_esp->show();
    Barre_Verticale->show();
    Barre_Verticale->raise();
    WebTexte->show();
    Desactive_Bouton("Copy");  // nothing is copied from the document view
    tbToolBar->Affiche_Positions(13, contexte_.reglages.Distribution == "hd" ? 18 : 20, true);
    Tree_esp->setFocus();
    Montre_Ajouts();
    // Before any species is opened, the pane says how to open one.
    if (documents_ && documents_->Vue().Sans_Page())
        documents_->Vue().Montre_Indication(
            QString::fromUtf8(Chaine_Ajoutee(Texte_Ajoute::Especes_Indication, contexte_.Langue)));
    QApplication::processEvents();
}

void frmMain::Choisit_Vue(QAction* entree, int mode) {
    // The entry's own toggle already flipped the mark: an entry that was checked stays so.
    const bool deja = !entree->isChecked();
    entree->setChecked(true);
    if (deja) return;
    mode_affichage_ = mode;
    for (QAction* a : {mnuViewIdentification, mnuViewResults, mnuViewSpecies}) {
        if (a != entree) a->setChecked(false);
    }
    // The question shown there belongs to the view left.
    sbStatusBar->Texte_Panneau1(QString());
    if (mode == 1) Vue_Identification();
    if (mode == 3) Vue_Resultats();
    if (mode == 4) Vue_Especes();
    Positionne_Controles();
}

void frmMain::Bascule_Barre(QAction* entree, QWidget* barre) {
    barre->setVisible(entree->isChecked());
    Positionne_Controles();
    if (Robot->isVisible()) Robot->update();
    Rafraichit_Documents();
}

void frmMain::Rafraichit() {
    if (Robot->isVisible()) {
        Positionne_Controles();
        Robot->update();
    }
    Rafraichit_Documents();
}

void frmMain::Rafraichit_Documents() {
    if (!WebTexte->isVisible())
        return;
    Small_Robot->update();
    if (documents_)
        documents_->Vue().reload();
}

}  // namespace kestrane
