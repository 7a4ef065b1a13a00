// The pictures and notes an imported base brings: the taxa's thumbnails beside their names in the
// results list (an option, on by default: only a base that has them shows any) and "What is
// this?" in the question bar, shown while the open question has a help page, which it opens in
// the document view (Shift+F1; F1 stays the user guide).

#include <QAction>
#include <QToolButton>
#include <QTreeView>

#include "Barre_Boutons.h"
#include "Documents.h"
#include "Modele_Liste_Esp.h"
#include "Portrait_Questions.h"
#include "Textes_Ajoutes.h"
#include "frmMain.h"

namespace kestrane {

namespace {

constexpr int Cote_Vignette = 32;  // pixels, beside a line of the results list

}  // namespace

void frmMain::Applique_Vignettes() {
    const Vignettes_Especes* vignettes =
        contexte_.reglages.Vignettes_Especes && documents_ ? &documents_->Vignettes() : nullptr;
    if (vignettes && vignettes->Vide())
        vignettes = nullptr;
    if (vignettes)
        modele_liste_->Icones([vignettes](const std::string& espece) {
            return vignettes->Icone(QString::fromStdString(espece));
        });
    else
        modele_liste_->Icones({});
    Liste_Esp->setIconSize(vignettes ? QSize(Cote_Vignette, Cote_Vignette) : QSize());
}

void frmMain::Installe_Aide_Question() {
    Barre_Boutons* barre = portrait_ ? portrait_->Barre_Question() : nullptr;
    if (!barre)
        return;
    aide_question_ = new QAction(barre);
    aide_question_->setObjectName("Quoi_Aide");
    aide_question_->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
    aide_question_->setVisible(false);
    barre->addAction(aide_question_);
    if (QWidget* bouton = barre->widgetForAction(aide_question_))
        bouton->setObjectName("Quoi_Aide");
    connect(aide_question_, &QAction::triggered, this, &frmMain::Montre_Aide_Question);
}

void frmMain::Actualise_Aide_Question() {
    if (!aide_question_ || !identification_ || !documents_)
        return;
    const bool aide = !documents_->Page_Aide_Question(identification_->Question.Objet).isEmpty();
    aide_question_->setText(QString::fromUtf8(Chaine_Ajoutee(Texte_Ajoute::Quoi_Aide, contexte_.Langue)));
    aide_question_->setToolTip(
        QString::fromUtf8(Chaine_Ajoutee(Texte_Ajoute::Quoi_Aide_Infobulle, contexte_.Langue)));
    if (aide == aide_question_->isVisible())
        return;
    aide_question_->setVisible(aide);
    auto* barre = portrait_->Barre_Question();
    barre->resize(barre->Taille_Ideale());
    emit barre->Taille_Changee();
}

void frmMain::Montre_Aide_Question() {
    const QString page = documents_->Page_Aide_Question(identification_->Question.Objet);
    if (page.isEmpty())
        return;
    // The document view shows it, as the guide when no program of the desktop does. The question
    // is left as Back leaves it: the Identification view lists the questions again.
    if (mode_affichage_ != 3 && mode_affichage_ != 4)
        mnuViewSpecies->trigger();
    Barre_Question->hide();
    documents_->Affiche_Page_Base(page);
}

}  // namespace kestrane
