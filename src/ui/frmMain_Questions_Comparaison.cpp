// The main window's ranked questions and comparison of two species: their menu entries and
// shortcuts, and what the comparison command does. The rest of the window is in frmMain.cpp.

#include <QAction>
#include <QApplication>
#include <QListView>
#include <QMenu>

#include "Comparaison_Especes.h"
#include "Documents.h"
#include "Page_Comparaison.h"
#include "Portrait_Questions.h"
#include "Textes_Ajoutes.h"
#include "frmMain.h"

namespace kestrane {
namespace {

QString Q(std::string_view texte) {
    return QString::fromUtf8(texte.data(), static_cast<qsizetype>(texte.size()));
}

}  // namespace

void frmMain::Ajoute_Questions_Comparaison(QMenu* view) {
    mnuViewQuestions = new QAction(this);
    mnuViewQuestions->setObjectName("mnuViewQuestions");
    mnuViewQuestions->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    const QList<QAction*> entrees = view->actions();
    view->insertAction(entrees.value(entrees.indexOf(mnuViewSpecies) + 1), mnuViewQuestions);
    connect(mnuViewQuestions, &QAction::triggered, this, &frmMain::Montre_Questions);

    // Compare: on the results list's context menu, and its shortcut wherever the list is shown.
    mnuListCompare = new QAction(this);
    mnuListCompare->setObjectName("mnuListCompare");
    mnuListCompare->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    addAction(mnuListCompare);
    connect(mnuListCompare, &QAction::triggered, this, &frmMain::Compare_Avec);
}

void frmMain::Installe_Questions_Comparaison() {
    const int langue = contexte_.Langue;
    mnuViewQuestions->setText(Q(Chaine_Ajoutee(Texte_Ajoute::Menu_Questions, langue)));
    mnuListCompare->setText(Q(Chaine_Ajoutee(Texte_Ajoute::Menu_Comparer, langue)));
    Liste_Esp->setContextMenuPolicy(Qt::ActionsContextMenu);
    Liste_Esp->addAction(mnuListCompare);
    comparaison_ = std::make_unique<Page_Comparaison>(*base_, contexte_.reglages);
}

void frmMain::Montre_Questions() {
    if (!portrait_)
        return;
    // From the document views, the identification view first, where the questions belong.
    if (mode_affichage_ != 1 && mode_affichage_ != 2)
        mnuViewIdentification->trigger();
    portrait_->Montre_Questions();
}

void frmMain::Compare_Avec() {
    if (!identification_ || !Liste_Esp->isVisible() || Liste_Esp->model()->rowCount() == 0)
        return;
    const auto& classement = identification_->Resultats().Classement_Esp.Espece;
    const auto& pourcents = identification_->Resultats().Pourcent_Esp;
    const int ligne = Liste_Esp->currentIndex().isValid() ? Liste_Esp->currentIndex().row() : 0;
    if (ligne < 0 || static_cast<size_t>(ligne) >= classement.size())
        return;
    const int premiere = classement[static_cast<size_t>(ligne)];
    // Every other species, in the order of the ranking (the list's lines, then those under the
    // threshold), the closest first.
    QStringList noms;
    std::vector<int> especes;
    for (size_t k = 0; k < classement.size() && k < pourcents.size(); ++k) {
        if (classement[k] == premiere)
            continue;
        especes.push_back(classement[k]);
        noms << QString::number(pourcents[k]) + "% - " +
                    Q(base_->Nom_Esp[static_cast<size_t>(classement[k])]);
    }
    const int langue = contexte_.Langue;
    const QString titre = Q(Chaine_Ajoutee(Texte_Ajoute::Menu_Comparer, langue)).remove('&');
    const QString libelle = Q(Chaine_Ajoutee(Texte_Ajoute::Comparer_Choix, langue))
                                .arg(Q(base_->Nom_Esp[static_cast<size_t>(premiere)]));
    const auto choisie = contexte_.dialogues.Choix(this, titre, libelle, noms, 0);
    if (!choisie || *choisie < 0 || static_cast<size_t>(*choisie) >= especes.size())
        return;
    const Comparaison_Especes comparaison =
        Compare_Especes(*base_, premiere, especes[static_cast<size_t>(*choisie)]);
    Sablier(true);
    const Result<QString> page = comparaison_->Ecrit(comparaison, documents_->Suffixe_Documents());
    Sablier(false);
    if (!page) {
        Demande(Q(page.status().message()), Boutons::OK, Icone::Exclamation, Titre_Programme());
        return;
    }
    documents_->Affiche_Fichier(page.value());
}

}  // namespace kestrane
