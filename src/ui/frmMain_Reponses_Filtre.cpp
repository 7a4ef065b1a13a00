// The main window's answers panel, the undo history of the answers and the name filter: their
// menu entries, their places in the layout and what their commands do. The rest of the window is
// in frmMain.cpp.

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QShortcut>
#include <QTreeView>

#include "Documents.h"
#include "Filtre_Especes.h"
#include "Historique_Reponses.h"
#include "Modele_Liste_Esp.h"
#include "Noms_Especes.h"
#include "Panneau_Reponses.h"
#include "Portrait_Questions.h"
#include "Reponses_Donnees.h"
#include "Textes_Ajoutes.h"
#include "Vignettes_Etats.h"
#include "WebTexte.h"
#include "frmMain.h"

namespace kestrane {
namespace {

// The user's choice to show the answers panel, kept in the per-user store.
constexpr const char* Section_Affichage = "Affichage";
constexpr const char* Cle_Panneau = "Panneau_Reponses";

QString Q(std::string_view texte) {
    return QString::fromUtf8(texte.data(), static_cast<qsizetype>(texte.size()));
}

}  // namespace

void frmMain::Ajoute_Entrees(QMenu* edit, QMenu* view) {
    mnuEditUndo = new QAction(this);
    mnuEditUndo->setObjectName("mnuEditUndo");
    mnuEditUndo->setShortcut(QKeySequence::Undo);
    mnuEditRedo = new QAction(this);
    mnuEditRedo->setObjectName("mnuEditRedo");
    mnuEditRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    QAction* premiere = edit->actions().value(0);
    edit->insertActions(premiere, {mnuEditUndo, mnuEditRedo});
    edit->insertSeparator(premiere);
    edit->addSeparator();
    mnuEditFind = edit->addAction(QString());
    mnuEditFind->setObjectName("mnuEditFind");
    mnuEditFind->setShortcut(QKeySequence::Find);

    mnuViewAnswers = new QAction(this);
    mnuViewAnswers->setObjectName("mnuViewAnswers");
    mnuViewAnswers->setCheckable(true);
    // The entry toggles the panel; F9 (shown beside the entry) brings it up with the focus in it.
    auto* f9 = new QShortcut(QKeySequence(Qt::Key_F9), this);
    connect(f9, &QShortcut::activated, this, &frmMain::Va_Au_Panneau);
    const QList<QAction*> entrees = view->actions();
    view->insertAction(entrees.value(entrees.indexOf(mnuViewStatusBar) + 1), mnuViewAnswers);
    for (QAction* a : {mnuEditUndo, mnuEditRedo, mnuEditFind, mnuViewAnswers}) a->setEnabled(false);

    connect(mnuEditUndo, &QAction::triggered, this, [this] { Annule_Ou_Retablit(true); });
    connect(mnuEditRedo, &QAction::triggered, this, [this] { Annule_Ou_Retablit(false); });
    connect(mnuEditFind, &QAction::triggered, this, &frmMain::Ouvre_Filtre);
    connect(mnuViewAnswers, &QAction::triggered, this, &frmMain::Bascule_Panneau);
}

void frmMain::Installe_Ajouts() {
    historique_ = std::make_unique<Historique_Reponses>(*identification_, *base_);
    historique_->Demarre();
    vignettes_ = std::make_unique<Vignettes_Etats>(contexte_.reglages);

    panneau_ = new Panneau_Reponses(*base_, *vignettes_, surface_);
    panneau_->hide();
    connect(panneau_, &Panneau_Reponses::Ouverture_Demandee, this, [this](size_t objet) {
        if (mode_affichage_ == 1 && objet < base_->Objets.size())
            portrait_->Ouvre_Objet(base_->Objets[objet]);
    });
    connect(panneau_, &Panneau_Reponses::Retrait_Demande, this, [this](size_t objet) {
        if (mode_affichage_ != 1 || objet >= base_->Objets.size())
            return;
        const bool focus = panneau_->Liste()->hasFocus();
        portrait_->Retire_Reponse(base_->Objets[objet]);
        if (focus)
            panneau_->setFocus(Qt::OtherFocusReason);
    });
    connect(portrait_.get(), &Portrait_Questions::Reponses_Vont_Changer, this,
            [this] { historique_->Commence(); });
    connect(portrait_.get(), &Portrait_Questions::Reponses_Changees, this, [this] {
        std::optional<size_t> objet;
        if (const Objet_Fic* o = base_->Trouve_Objet(identification_->Question.Objet))
            objet = static_cast<size_t>(o - base_->Objets.data());
        historique_->Termine(Genre_Changement::Reponse, objet, fichier_courant_.toStdString());
        Actualise_Reponses();
    });

    filtre_ = new Filtre_Especes(Noms_Especes::Lit(*base_), surface_);
    filtre_->hide();
    filtre_->Suit_Arbre(documents_->Arbre(), *base_);
    filtre_->Suit_Liste(*Liste_Esp, [this](int rang) {
        const auto& especes = identification_->Resultats().Classement_Esp.Espece;
        return rang >= 0 && static_cast<size_t>(rang) < especes.size() ? especes[static_cast<size_t>(rang)]
                                                                       : -1;
    });
    connect(filtre_, &Filtre_Especes::Ligne_Choisie, this, &frmMain::Ouvre_Ligne);
    connect(filtre_, &Filtre_Especes::Noeud_Choisi, this, [this](QTreeWidgetItem* noeud) {
        documents_->Arbre().setCurrentItem(noeud);
        if (const auto choix = Tree_esp::Espece_Du_Noeud(*noeud))
            documents_->Tree_esp_NodeClick(*choix);
    });
    connect(filtre_, &Filtre_Especes::Fermeture_Demandee, this, &frmMain::Ferme_Filtre);
    connect(filtre_, &QLineEdit::textChanged, this, &frmMain::Filtre_Change);

    // Without a portrait the answers are always in view, beside the ranked questions; the user's
    // choice for other bases stays as it was.
    const bool sans_portrait = portrait_->Sans_Portrait();
    mnuEditFind->setEnabled(true);
    mnuViewAnswers->setEnabled(!sans_portrait);
    mnuViewAnswers->setChecked(sans_portrait ||
                               contexte_.magasin.Lit(Section_Affichage, Cle_Panneau, "0") == "1");
    Traduit_Ajouts();
    Actualise_Reponses();
    Positionne_Controles();
    Montre_Ajouts();
}

void frmMain::Traduit_Ajouts() {
    // The panel's and the filter's texts follow a change of language at once; the menu entries,
    // like the other menus, keep the language of the start.
    const int langue = contexte_.Langue;
    if (en_chargement_ || mnuEditUndo->text().isEmpty()) {
        mnuEditUndo->setText(Q(Chaine_Ajoutee(Texte_Ajoute::Menu_Annuler, langue)));
        mnuEditRedo->setText(Q(Chaine_Ajoutee(Texte_Ajoute::Menu_Retablir, langue)));
        mnuEditFind->setText(Q(Chaine_Ajoutee(Texte_Ajoute::Menu_Trouver, langue)));
        mnuViewAnswers->setText(Q(Chaine_Ajoutee(Texte_Ajoute::Menu_Reponses, langue)) + QStringLiteral("\tF9"));
    }
    panneau_->Traduit(langue);
    Actualise_Reponses();  // the base's texts in the language of the moment
    filtre_->setPlaceholderText(Q(Chaine_Ajoutee(Texte_Ajoute::Filtre_Indication, langue)));
}

bool frmMain::Panneau_Montre() const {
    return panneau_ && mnuViewAnswers->isChecked() && (mode_affichage_ == 1 || mode_affichage_ == 2);
}

bool frmMain::Filtre_Montre() const {
    return filtre_ && filtre_ouvert_ && (mode_affichage_ == 3 || mode_affichage_ == 4);
}

void frmMain::Mesure_Ajouts(Mesures_Fenetre& m) const {
    m.Largeur_Panneau_Reponses = Panneau_Montre() ? En_Twips(panneau_->Largeur_Souhaitee()) : 0;
    m.Hauteur_Filtre = Filtre_Montre() ? En_Twips(filtre_->sizeHint().height()) : 0;
}

void frmMain::Place_Ajouts() {
    if (panneau_ && disposition_.Panneau_Reponses.Width > 0)
        panneau_->setGeometry(En_Pixels(disposition_.Panneau_Reponses));
    if (filtre_ && disposition_.Filtre.Height > 0)
        filtre_->setGeometry(En_Pixels(disposition_.Filtre));
    Montre_Ajouts();
}

void frmMain::Montre_Ajouts() {
    if (panneau_) {
        panneau_->setVisible(Panneau_Montre());
        // While a chooser is open its question is answered first; the answers stay in view.
        panneau_->setEnabled(mode_affichage_ == 1);
    }
    if (filtre_)
        filtre_->setVisible(Filtre_Montre());
}

void frmMain::Actualise_Reponses() {
    if (!historique_)
        return;
    panneau_->Affiche(Decrit_Reponses(*base_, identification_->Etats_Choisis(), historique_->Ordre(),
                                      Suffixe_Interface(contexte_.Langue), identification_->Valeurs()));
    portrait_->Actualise_Questions();
    mnuEditUndo->setEnabled(historique_->Peut_Annuler());
    mnuEditRedo->setEnabled(historique_->Peut_Retablir());
}

void frmMain::Etat_Enregistrement() {
    const bool modifiee = identification_->Identification_Modifiee();
    setWindowTitle(fichier_courant_.isEmpty() ? titre_fenetre_
                                              : titre_fenetre_ + " [" + fichier_courant_ + "]");
    mnuFileSave->setEnabled(modifiee && !fichier_courant_.isEmpty());
    mnuFileSaveAs->setEnabled(modifiee || !fichier_courant_.isEmpty());
    if (modifiee) {
        Active_Bouton("Save");
    } else {
        Desactive_Bouton("Save");
    }
}

void frmMain::Annule_Ou_Retablit(bool annule) {
    if (!historique_ || !(annule ? historique_->Peut_Annuler() : historique_->Peut_Retablir()))
        return;
    // An open chooser is left as its back button leaves it; the change then shows on the portrait.
    if (mode_affichage_ == 2)
        portrait_->Clic_Barre_Question(0);
    Sablier(true);
    const Status s = annule ? historique_->Annule() : historique_->Retablit();
    portrait_->Retire_Contradictions();
    Sablier(false);
    fichier_courant_ = QString::fromStdString(historique_->Fichier());
    Etat_Enregistrement();
    Robot->update();
    Actualise_Reponses();
    if (!s)
        Message(s.message());
}

void frmMain::Bascule_Panneau() {
    contexte_.magasin.Ecrit(Section_Affichage, Cle_Panneau, mnuViewAnswers->isChecked() ? "1" : "0");
    Positionne_Controles();
    if (Robot->isVisible())
        Robot->update();
    if (Panneau_Montre() && mode_affichage_ == 1)
        panneau_->setFocus(Qt::ShortcutFocusReason);
}

void frmMain::Ouvre_Filtre() {
    if (!filtre_)
        return;
    if (mode_affichage_ == 1 || mode_affichage_ == 2) {
        if (mode_affichage_ == 2)
            portrait_->Clic_Barre_Question(0);
        mnuViewSpecies->trigger();
    }
    filtre_ouvert_ = true;
    Positionne_Controles();
    filtre_->setFocus(Qt::ShortcutFocusReason);
    filtre_->selectAll();
}

void frmMain::Va_Au_Panneau() {
    if (!panneau_ || !mnuViewAnswers->isEnabled())
        return;
    if (!mnuViewAnswers->isChecked()) {
        mnuViewAnswers->setChecked(true);
        Bascule_Panneau();  // shows it, with the focus in the identification view
    } else if (Panneau_Montre()) {
        panneau_->setFocus(Qt::ShortcutFocusReason);
    }
}

void frmMain::Filtre_Change() {
    // A text that names no tree says so in the status bar.
    const bool aucune = filtre_->Aucune();
    if (aucune || filtre_aucune_dit_)
        Texte_Statut(aucune ? Q(Chaine_Ajoutee(Texte_Ajoute::Filtre_Aucune, contexte_.Langue)).arg(filtre_->text().trimmed())
                            : QString());
    filtre_aucune_dit_ = aucune;
    // The page of a species the filter hides gives way to the hint.
    const QString code = documents_->Etat().Code_Esp_Courant;
    auto& vue = documents_->Vue();
    if (code.isEmpty() || vue.Sans_Page())
        return;
    for (size_t s = 0; s < base_->Flore.size(); ++s) {
        if (code.compare(Q(base_->Flore[s].Code), Qt::CaseInsensitive) != 0)
            continue;
        if (!filtre_->Montre(s))
            vue.Montre_Indication(Q(Chaine_Ajoutee(Texte_Ajoute::Especes_Indication, contexte_.Langue)));
        return;
    }
}

void frmMain::Ferme_Filtre() {
    filtre_->clear();
    filtre_ouvert_ = false;
    Positionne_Controles();
    if (Liste_Esp->isVisible())
        Liste_Esp->setFocus();
    if (Tree_esp->isVisible())
        Tree_esp->setFocus();
}

void frmMain::Ouvre_Ligne(int rang) {
    const QModelIndex ligne = modele_liste_->index(rang, 0);
    Liste_Esp->scrollTo(ligne);
    if (Liste_Esp->currentIndex() == ligne) {
        Clic_Liste();
    } else {
        Liste_Esp->setCurrentIndex(ligne);  // its change opens the page
    }
}

}  // namespace kestrane
