#include "frmMain.h"

// The main window's construction, its panes and what it answers the engine, the portrait and the
// documents. Each other concern has its own file: frmMain_Chargement.cpp (the start-up load),
// frmMain_Disposition.cpp (the layout), frmMain_Vues.cpp, frmMain_Menus.cpp, frmMain_Commandes.cpp,
// frmMain_Options.cpp (the language change), frmMain_Reponses_Filtre.cpp and
// frmMain_Questions_Comparaison.cpp.

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QToolBar>
#include <QTreeView>

#include "Barre_Boutons.h"
#include "Barre_Etat.h"
#include "Barre_Principale.h"
#include "Chemins_Fichiers.h"
#include "Documents.h"
#include "Filtre_Especes.h"
#include "Historique_Reponses.h"
#include "Impression.h"
#include "Modele_Liste_Esp.h"
#include "Page_Comparaison.h"
#include "Panneau_Reponses.h"
#include "Portrait_Questions.h"
#include "Table_Chaines.h"
#include "Vignettes_Etats.h"
#include "WebTexte.h"

namespace kestrane {
namespace {

QString Q(const std::string& texte) { return QString::fromStdString(texte); }

// A pane not yet given its own widget: a plain area with a name.
QWidget* Pane(QWidget* parent, const char* nom) {
    auto* w = new QFrame(parent);
    w->setObjectName(nom);
    w->setFrameStyle(QFrame::Box | QFrame::Plain);
    w->hide();
    return w;
}

}  // namespace

frmMain::frmMain(Contexte_Programme& contexte, QWidget* parent) : QMainWindow(parent), contexte_(contexte) {
    setObjectName("frmMain");
    setProperty("Tag", 1050);
    surface_ = new QWidget(this);
    surface_->setObjectName("surface");
    setCentralWidget(surface_);
    Construit_Menus();
    Construit_Panes();
    resize(1024, 720);
    // A change of the desktop's work area (a panel moved, a screen resized) brings the window back
    // onto it.
    if (QScreen* ecran = QGuiApplication::primaryScreen()) {
        connect(ecran, &QScreen::availableGeometryChanged, this, &frmMain::Bureau_Change);
    }
}

frmMain::~frmMain() {
    // Documents and portrait refer to the identification, which refers to the base; so do the
    // answers panel, the name filter, the history and the comparison page.
    delete panneau_;
    delete filtre_;
    historique_.reset();
    vignettes_.reset();
    comparaison_.reset();
    impression_.reset();
    documents_.reset();
    portrait_.reset();
    identification_.reset();
    base_.reset();
}

void frmMain::Construit_Panes() {
    tbToolBar = new Barre_Principale(surface_);
    connect(tbToolBar, &Barre_Principale::Commande, this, [this](const QString& cle) { Traiter_Fichier(cle); });
    sbStatusBar = new Barre_Etat(surface_);
    Resultat = new QFrame(surface_);
    Resultat->setObjectName("Resultat");
    Legende = new QLabel(Resultat);
    Legende->setObjectName("Legende");

    Robot = Pane(surface_, "Robot");
    Pic_Choix = Pane(surface_, "Pic_Choix");
    Small_Robot = Pane(surface_, "Small_Robot");
    Small_Robot->installEventFilter(this);
    // A list of ten thousand lines whose rows the name filter hides: the tree view does that
    // quickly, the list view does not.
    Liste_Esp = new QTreeView(surface_);
    Liste_Esp->setObjectName("Liste_Esp");
    Liste_Esp->setHeaderHidden(true);
    Liste_Esp->setRootIsDecorated(false);
    Liste_Esp->setItemsExpandable(false);
    Liste_Esp->setIndentation(0);
    Liste_Esp->setUniformRowHeights(true);
    Liste_Esp->setEditTriggers(QAbstractItemView::NoEditTriggers);
    modele_liste_ = new Modele_Liste_Esp(this);
    Liste_Esp->setModel(modele_liste_);
    Liste_Esp->hide();
    Tree_esp = Pane(surface_, "Tree_esp");
    Barre_Verticale = new QFrame(surface_);
    Barre_Verticale->setObjectName("Barre_Verticale");
    Barre_Verticale->setCursor(Qt::SplitHCursor);
    Barre_Verticale->installEventFilter(this);
    Barre_Verticale->hide();
    WebTexte = Pane(surface_, "WebTexte");
    auto* deter = new QToolBar(surface_);
    deter->setOrientation(Qt::Vertical);
    deter->setObjectName("Barre_Deter");
    Barre_Deter = deter;
    auto* question = new QToolBar(surface_);
    question->setOrientation(Qt::Vertical);
    question->setObjectName("Barre_Question");
    question->hide();
    Barre_Question = question;
    // The document buttons belong to the document views.
    tbToolBar->Affiche_Positions(13, Barre_Principale::kPositions, false);
}

QString frmMain::Chaine_Texte(int base) const { return Q(Chaine_Ou_Anglais(base, contexte_.Langue)); }

QString frmMain::Titre_Programme() const { return QApplication::applicationName(); }

Reponse frmMain::Demande(const QString& texte, Boutons boutons, Icone icone, const QString& titre) {
    return contexte_.dialogues.Message(this, texte, boutons, icone, titre);
}

void frmMain::Sablier(bool actif) {
    if (actif) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

// --- The engine's observer and questions ---------------------------------------------------

void frmMain::Identification_Devenue_Modifiee() {
    mnuFileSaveAs->setEnabled(true);
    if (!fichier_courant_.isEmpty()) mnuFileSave->setEnabled(true);
    Active_Bouton("Save");
}

void frmMain::Liste_Esp_Remplie(const Liste_Especes& liste) { Legende_Et_Liste(liste); }

void frmMain::Legende_Et_Liste(const Liste_Especes& liste) {
    modele_liste_->Remplace(liste.Lignes);
    if (filtre_)
        filtre_->Liste_Remplie();
    Legende->setToolTip(Q(liste.Legende));
    Legende->setText(Q(liste.Legende));
}

bool frmMain::Charge_Piece(int piece, const std::string& chemin) {
    return portrait_ ? portrait_->Calques().Charge_Piece(piece, chemin) : Fichier_Existe(chemin);
}

void frmMain::Etat_Inexistant(const std::string& message) {
    if (portrait_) {
        portrait_->Calques().Etat_Inexistant(message);
    } else {
        Demande(Q(message), Boutons::OK, Icone::Aucune, Titre_Programme());
    }
}

// --- The hosts of the portrait and of the documents ----------------------------------------

void frmMain::Installe_Panes() {
    // The portrait's and the documents' own widgets take the places of the designed panes.
    auto remplace = [this](QWidget*& pane, QWidget* widget) {
        widget->setParent(surface_);
        widget->setObjectName(pane->objectName());
        widget->setVisible(pane->isVisible());
        delete pane;
        pane = widget;
    };
    remplace(Robot, portrait_->Widget_Robot());
    remplace(Pic_Choix, portrait_->Widget_Pic_Choix());
    Pic_Choix->installEventFilter(this);
    remplace(Small_Robot, portrait_->Widget_Small_Robot());
    remplace(Barre_Deter, portrait_->Barre_Deter());
    remplace(Barre_Question, portrait_->Barre_Question());
    defile_deter_ = Enveloppe_Barre(Barre_Deter);
    defile_question_ = Enveloppe_Barre(Barre_Question);
    for (Barre_Boutons* barre : {portrait_->Barre_Deter(), portrait_->Barre_Question()}) {
        connect(barre, &Barre_Boutons::Taille_Changee, this, &frmMain::Positionne_Controles);
    }
    remplace(Tree_esp, &documents_->Arbre());
    remplace(WebTexte, &documents_->Vue());
    connect(portrait_->Widget_Small_Robot(), &Small_Robot::Clique, mnuViewIdentification, &QAction::trigger);
    // A change of line (by the mouse or the keyboard) opens its species; a click opens it only
    // when its line was already current, so that one click is handled once.
    Liste_Esp->viewport()->installEventFilter(this);
    connect(Liste_Esp, &QAbstractItemView::clicked, this, [this](const QModelIndex& ligne) {
        if (ligne == ligne_avant_appui_)
            Clic_Liste();
    });
    connect(Liste_Esp->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (Liste_Esp->isVisible()) Clic_Liste();
    });
    documents_->Suit_Focus_Liste(*Liste_Esp);
    Barre_Verticale->raise();
    Installe_Questions_Comparaison();
}

QScrollArea* frmMain::Enveloppe_Barre(QWidget* barre) {
    // The bar scrolls where the window is too short to show it whole, rather than putting buttons
    // under the status bar; its area shows and hides with it.
    auto* zone = new QScrollArea(surface_);
    zone->setObjectName(barre->objectName() + "_Defilement");
    zone->setFrameShape(QFrame::NoFrame);
    zone->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    zone->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const bool cachee = barre->isHidden();
    zone->setWidget(barre);
    barre->setHidden(cachee);
    zone->setHidden(cachee);
    barre->installEventFilter(this);
    return zone;
}

int frmMain::Meilleur_Pourcentage() const {
    const auto& pourcents = identification_->Resultats().Pourcent_Esp;
    return pourcents.empty() ? 0 : pourcents.front();
}

void frmMain::Clic_Liste() {
    if (documents_) documents_->Liste_Esp_Click(*Liste_Esp, Meilleur_Pourcentage());
}

void frmMain::Texte_Statut(const QString& texte) {
    sbStatusBar->Texte_Panneau1(texte);
    Actualise_Aide_Question();  // a question shows its text here as it opens
}

void frmMain::Mode_Affichage(int mode) {
    mode_affichage_ = mode;
    Positionne_Controles();
}

void frmMain::Actualise_Copie(bool choix_visible) {
    // Without a portrait, the identification view has a picture to copy only while the chooser
    // shows its states.
    if (!portrait_ || !portrait_->Sans_Portrait() || WebTexte->isVisibleTo(surface_))
        return;
    if (choix_visible)
        Active_Bouton("Copy");
    else
        Desactive_Bouton("Copy");
}

void frmMain::Commande_Vue_Resultats() { mnuViewResults->trigger(); }

void frmMain::Montre_Contra(bool visible) { tbToolBar->Affiche_Positions(21, 22, visible); }

void frmMain::Pointeur_Normal() {
    while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
}

QRect frmMain::Geometrie_Barre_Verticale() const {
    return QRect(Barre_Verticale->mapToGlobal(QPoint(0, 0)), Barre_Verticale->size());
}

QRect frmMain::Zone_Ecran() const {
    const QScreen* ecran = screen();
    return ecran != nullptr ? ecran->availableGeometry() : QRect();
}

void frmMain::Message(const std::string& texte) { Demande(Q(texte), Boutons::OK, Icone::Aucune, Titre_Programme()); }

bool frmMain::Question_Oui_Non(const std::string& texte) {
    return Demande(Q(texte), Boutons::Oui_Non, Icone::Aucune, Titre_Programme()) == Reponse::Oui;
}

}  // namespace kestrane
