#include "frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStandardPaths>
#include <QStyle>
#include <QToolBar>
#include <QTreeView>
#include <QUrl>
#include <QWebEngineView>

#include <cmath>

#include "Barre_Boutons.h"
#include "Barre_Etat.h"
#include "Barre_Principale.h"
#include "Chargeur_Base.h"
#include "Chemins_Documents.h"
#include "Chemins_Fichiers.h"
#include "Copie_Portrait.h"
#include "Documents.h"
#include "Echange_Identification.h"
#include "Filtre_Especes.h"
#include "Historique_Reponses.h"
#include "Impression.h"
#include "Modele_Liste_Esp.h"
#include "Page_Comparaison.h"
#include "Panneau_Reponses.h"
#include "Portrait_Questions.h"
#include "Table_Chaines.h"
#include "Textes_Moteur_Langue.h"
#include "Traduit_Feuille.h"
#include "Vignettes_Etats.h"
#include "WebTexte.h"
#include "frmLegende.h"
#include "frmOptions.h"
#include "frmZoom.h"

namespace kestrane {
namespace {

QString Q(const std::string& texte) { return QString::fromStdString(texte); }

// `entete` followed by one line per problem.
QString Liste_Problemes(const QString& entete, const std::vector<std::string>& problemes) {
    QString texte = entete;
    for (const std::string& p : problemes) texte += QStringLiteral("\n- ") + Q(p);
    return texte;
}

// A pane not yet given its own widget: a plain area with a name.
// What a toolbar of the portrait needs to show all its buttons.
QSize Taille_Barre(QWidget* barre) {
    if (auto* boutons = qobject_cast<Barre_Boutons*>(barre)) return boutons->Taille_Ideale();
    return barre->sizeHint();
}

QWidget* Pane(QWidget* parent, const char* nom) {
    auto* w = new QFrame(parent);
    w->setObjectName(nom);
    w->setFrameStyle(QFrame::Box | QFrame::Plain);
    w->hide();
    return w;
}

QAction* Entree(QMenu* menu, const char* nom, int caption, const QKeySequence& raccourci = {}) {
    QAction* action = menu->addAction(QString::number(caption));
    action->setObjectName(nom);
    action->setProperty("Caption", caption);
    if (!raccourci.isEmpty()) action->setShortcut(raccourci);
    return action;
}

QMenu* Menu(QMenuBar* barre, const char* nom, int caption) {
    QMenu* menu = barre->addMenu(QString::number(caption));
    menu->setObjectName(nom);
    menu->menuAction()->setProperty("Caption", caption);
    return menu;
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

void frmMain::Bureau_Change(const QRect& zone_travail) {
    if (!isVisible()) return;
    if (isMinimized()) showNormal();
    setGeometry(zone_travail);
    Positionne_Controles();
    if (Robot->isVisible()) Robot->update();
    if (WebTexte->isVisible()) {
        Small_Robot->update();
        WebTexte->update();
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

void frmMain::Construit_Menus() {
    QMenuBar* barre = menuBar();
    QMenu* file = Menu(barre, "mnuFile", 1000);
    mnuFileNew = Entree(file, "mnuFileNew", 1001, QKeySequence::New);
    mnuFileOpen = Entree(file, "mnuFileOpen", 1002, QKeySequence::Open);
    file->addSeparator();
    mnuFileSave = Entree(file, "mnuFileSave", 1003, QKeySequence::Save);
    mnuFileSaveAs = Entree(file, "mnuFileSaveAs", 1004, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    mnuFilePrint = Entree(file, "mnuFilePrint", 1006, QKeySequence::Print);
    file->addSeparator();
    mnuFileExit = Entree(file, "mnuFileExit", 1007, QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* edit = Menu(barre, "mnuEdit", 1008);
    mnuEditIconize = Entree(edit, "mnuEditIconize", 1009);
    mnuEditCopy = Entree(edit, "mnuEditCopy", 1010, QKeySequence::Copy);

    QMenu* view = Menu(barre, "mnuView", 1011);
    mnuViewIdentification = Entree(view, "mnuViewIdentification", 1012);
    mnuViewResults = Entree(view, "mnuViewResults", 1013);
    mnuViewSpecies = Entree(view, "mnuViewSpecies", 1014);
    view->addSeparator();
    mnuViewToolbar = Entree(view, "mnuViewToolbar", 1015);
    mnuViewStatusBar = Entree(view, "mnuViewStatusBar", 1016);
    view->addSeparator();
    mnuViewRefresh = Entree(view, "mnuViewRefresh", 1017, QKeySequence(Qt::Key_F5));
    mnuViewOptions = Entree(view, "mnuViewOptions", 1018);

    QMenu* help = Menu(barre, "mnuHelp", 1019);
    mnuHelpContents = Entree(help, "mnuHelpContents", 1020, QKeySequence::HelpContents);
    help->addSeparator();
    mnuHelpAbout = Entree(help, "mnuHelpAbout", 1022);
    Ajoute_Entrees(edit, view);
    Ajoute_Questions_Comparaison(view);

    for (QAction* a : {mnuViewIdentification, mnuViewResults, mnuViewSpecies, mnuViewToolbar, mnuViewStatusBar}) {
        a->setCheckable(true);
    }
    mnuViewIdentification->setChecked(true);
    mnuViewToolbar->setChecked(true);
    mnuViewStatusBar->setChecked(true);

    connect(mnuFileNew, &QAction::triggered, this, [this] { Traiter_Fichier("New"); });
    connect(mnuFileOpen, &QAction::triggered, this, [this] { Traiter_Fichier("Open"); });
    connect(mnuFileSave, &QAction::triggered, this, [this] { Traiter_Fichier("Save"); });
    connect(mnuFileSaveAs, &QAction::triggered, this, [this] { Traiter_Fichier("Save"); });
    connect(mnuFilePrint, &QAction::triggered, this, [this] { Traiter_Fichier("Print"); });
    connect(mnuFileExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuEditIconize, &QAction::triggered, this, &QWidget::showMinimized);
    connect(mnuEditCopy, &QAction::triggered, this, [this] { Traiter_Fichier("Copy"); });
    connect(mnuViewIdentification, &QAction::triggered, this, [this] { Choisit_Vue(mnuViewIdentification, 1); });
    connect(mnuViewResults, &QAction::triggered, this, [this] { Choisit_Vue(mnuViewResults, 3); });
    connect(mnuViewSpecies, &QAction::triggered, this, [this] { Choisit_Vue(mnuViewSpecies, 4); });
    connect(mnuViewToolbar, &QAction::triggered, this, [this] { Bascule_Barre(mnuViewToolbar, tbToolBar); });
    connect(mnuViewStatusBar, &QAction::triggered, this, [this] { Bascule_Barre(mnuViewStatusBar, sbStatusBar); });
    connect(mnuViewRefresh, &QAction::triggered, this, &frmMain::Rafraichit);
    connect(mnuViewOptions, &QAction::triggered, this, &frmMain::Ouvre_Options);
    connect(mnuHelpContents, &QAction::triggered, this, &frmMain::Ouvre_Aide);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmMain::A_Propos_Demande);

    // Document navigation from the keyboard.
    auto* arriere = new QAction(this);
    arriere->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    connect(arriere, &QAction::triggered, this, [this] {
        if (WebTexte->isVisible()) Traiter_Fichier("Arriere");
    });
    auto* avant = new QAction(this);
    avant->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    connect(avant, &QAction::triggered, this, [this] {
        if (WebTexte->isVisible()) Traiter_Fichier("Avant");
    });
    addActions({arriere, avant});
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

Issue_Chargement frmMain::Charge(const QString& ligne_commande) {
    en_chargement_ = true;
    Traduit_Feuille(this, contexte_.Langue);
    Desactive_Bouton("Copy");

    // A second instance asks whether to go on.
    if (!contexte_.verrou_instance.empty()) {
        verrou_ = std::make_unique<Verrou_Instances>(contexte_.verrou_instance);
        if (verrou_->Autre_Instance()) {
            const QString titre = Chaine_Texte(1050);
            if (Demande(Chaine_Texte(1067), Boutons::Oui_Non, Icone::Exclamation, titre) == Reponse::Non) {
                verrou_.reset();
                return {Issue_Chargement::Genre::Abandon, {}, {}};
            }
            Demande(Chaine_Texte(1068), Boutons::OK, Icone::Information, titre);
        }
        // Held while this instance runs, also when it runs beside another.
        verrou_->Prend();
    }

    contexte_.reglages = Lit_Registre(contexte_.machine, contexte_.magasin);
    const Reglages& r = contexte_.reglages;
    Chargement chargement = Charge_Base({r.Chemin_Base, r.Rep_Data}, contexte_.palette);
    if (chargement.Echec) {
        const auto& echec = *chargement.Echec;
        switch (echec.Genre_Echec) {
            case Echec_Chargement::Genre::Lecture_Poids:
                return {Issue_Chargement::Genre::Fatale, Chaine_Texte(1069), Chaine_Texte(1050)};
            case Echec_Chargement::Genre::Lecture_Matrice:
                return {Issue_Chargement::Genre::Fatale, Chaine_Texte(1070), Chaine_Texte(1050)};
            default:
                // What the load passed over before it stopped often says why.
                return {Issue_Chargement::Genre::Fatale,
                        Liste_Problemes(Q(echec.Message), chargement.Avertissements), Titre_Programme()};
        }
    }
    base_ = std::move(chargement.Base);
    avertissements_ = std::move(chargement.Avertissements);

    Reglages_Moteur moteur{r.Rep_Robot, r.Rep_Data, r.Seuil_Pourcent, Textes_Moteur_Langue(contexte_.Langue),
                           r.Strategie};
    Observateur_Identification& observateur = *this;
    Dialogue_Utilisateur& dialogue = *this;
    identification_ = std::make_unique<Identification_Courante>(*base_, moteur, observateur, dialogue);
    Hote_Portrait& hote_portrait = *this;
    portrait_ = std::make_unique<Portrait_Questions>(*base_, *identification_, contexte_.reglages, hote_portrait,
                                                     contexte_.dialogues, surface_);
    Hote_Documents& hote_documents = *this;
    documents_ = std::make_unique<Documents>(hote_documents, contexte_.reglages, *base_, contexte_.dialogues, this);
    impression_ = std::make_unique<Impression>(*base_, contexte_.reglages, contexte_.dialogues, this);
    Installe_Panes();
    documents_->Remplit_Arbre();
    if (Status s = identification_->Demarre(); !s) {
        // A portrait without its drawings cannot be used.
        return {Issue_Chargement::Genre::Fatale, Q(s.message()), Titre_Programme()};
    }
    mnuFileSave->setEnabled(false);
    mnuFileSaveAs->setEnabled(false);
    Desactive_Bouton("Save");
    Robot->update();
    portrait_->Cree_Barre_Deter();
    portrait_->Cree_Barre_Question();
    portrait_->Calques().Demarrage_Termine();
    if (portrait_->Sans_Portrait())
        portrait_->Montre_Portrait();  // the ranked questions in its place
    Installe_Ajouts();
    QApplication::processEvents();

    titre_fenetre_ = windowTitle();
    en_chargement_ = false;
    // The portrait can be copied: the toolbar's Copy is enabled in the views that copy.
    Active_Bouton("Copy");
    Actualise_Copie(false);

    QString chemin = ligne_commande;
    if (chemin.startsWith('"')) chemin = chemin.mid(1, chemin.size() - 2);
    if (!chemin.isEmpty()) Traiter_Fichier("Open", chemin);
    return {};
}

void frmMain::Signale_Avertissements() {
    if (avertissements_.empty())
        return;
    // The loader's lines are its own (English, naming the table and row); the line above them
    // follows the interface language.
    static const char* const entetes[] = {
        "The knowledge base was loaded, but these problems were passed over:",
        "La base de conocimientos se ha cargado, pero se han pasado por alto estos problemas:",
        "La base de connaissances a été chargée, mais ces problèmes ont été ignorés :",
    };
    const int langue = contexte_.Langue >= 0 && contexte_.Langue <= 2 ? contexte_.Langue : 0;
    const QString texte = Liste_Problemes(QString::fromUtf8(entetes[langue]), avertissements_);
    avertissements_.clear();
    Demande(texte, Boutons::OK, Icone::Exclamation, windowTitle());
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

void frmMain::Texte_Statut(const QString& texte) { sbStatusBar->Texte_Panneau1(texte); }

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

// --- Layout --------------------------------------------------------------------------------

int frmMain::En_Twips(int pixels) const {
    return static_cast<int>(std::lround(pixels * 1440.0 / logicalDpiX()));
}

QRect frmMain::En_Pixels(const Rect_Twips& r) const {
    const double px = logicalDpiX() / 1440.0;
    const double py = logicalDpiY() / 1440.0;
    return QRect(static_cast<int>(std::lround(r.Left * px)), static_cast<int>(std::lround(r.Top * py)),
                 static_cast<int>(std::lround(r.Width * px)), static_cast<int>(std::lround(r.Height * py)));
}

void frmMain::Positionne_Controles() {
    // The bars span the window; their heights come from their contents.
    const int largeur = surface_->width();
    const int hauteur = surface_->height();
    tbToolBar->setGeometry(0, 0, largeur, tbToolBar->sizeHint().height());
    sbStatusBar->setGeometry(0, hauteur - sbStatusBar->height(), largeur, sbStatusBar->height());

    Mesures_Fenetre m;
    m.Largeur_Interieure = En_Twips(largeur);
    m.Hauteur_Interieure = En_Twips(hauteur);
    m.Barre_Outils_Visible = !tbToolBar->isHidden();
    m.Hauteur_Barre_Outils = En_Twips(tbToolBar->height());
    m.Barre_Etat_Visible = !sbStatusBar->isHidden();
    m.Hauteur_Barre_Etat = En_Twips(sbStatusBar->height());
    mesures_ = m;
    m.Largeur_Barre_Deter = En_Twips(Place_Barre(Barre_Deter).width());
    m.Largeur_Barre_Question = En_Twips(Place_Barre(Barre_Question).width());
    m.Hauteur_Barre_Deter = En_Twips(Taille_Barre(Barre_Deter).height());
    m.Hauteur_Barre_Question = En_Twips(Taille_Barre(Barre_Question).height());
    Mesure_Ajouts(m);
    mesures_ = m;
    disposition_ = kestrane::Positionne_Controles(m, mode_affichage_);
    Applique_Disposition();
    Ajuste_Taille_Minimale();
}

QSize frmMain::Place_Barre(QWidget* barre) const {
    const QSize ideale = Taille_Barre(barre);
    const int haut = En_Pixels({0, Haut_Barres(mesures_), 0, 0}).top();
    const int bas = sbStatusBar->isHidden() ? surface_->height() : sbStatusBar->y();
    const int disponible = std::max(bas - haut, 0);
    if (ideale.height() <= disponible)
        return ideale;
    return {ideale.width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this), disponible};
}

void frmMain::Ajuste_Taille_Minimale() {
    const Taille_Twips t = Taille_Minimale(mesures_);
    const QRect interieur = En_Pixels({0, 0, t.Largeur, t.Hauteur});
    const int menus = menuBar()->isHidden() ? 0 : menuBar()->sizeHint().height();
    QSize minimum(interieur.width(), interieur.height() + menus);
    // Never larger than the screen: there the bars scroll.
    const QRect ecran = Zone_Ecran();
    if (!ecran.isEmpty())
        minimum = minimum.boundedTo(ecran.size() - (frameGeometry().size() - size()));
    if (minimum != minimumSize())
        setMinimumSize(minimum);
}

void frmMain::Applique_Disposition() {
    const Disposition& d = disposition_;
    if (d.Panes_Placees) {
        Robot->setGeometry(En_Pixels(d.Robot));
        Pic_Choix->setGeometry(En_Pixels(d.Pic_Choix));
        Small_Robot->setGeometry(En_Pixels(d.Small_Robot));
        Liste_Esp->setGeometry(En_Pixels(d.Liste_Esp));
        Tree_esp->setGeometry(En_Pixels(d.Tree_esp));
        Barre_Verticale->setGeometry(En_Pixels(d.Barre_Verticale));
        WebTexte->setGeometry(En_Pixels(d.WebTexte));
        if (portrait_)
            portrait_->Widget_Questions()->setGeometry(Pic_Choix->geometry());
        // The bars keep the size that shows every button (none falls into an overflow menu); their
        // areas end above the status bar and scroll when shorter.
        for (auto [barre, zone] :
             {std::pair{Barre_Deter, defile_deter_}, std::pair{Barre_Question, defile_question_}}) {
            const QSize place = Place_Barre(barre);
            QWidget* cadre = zone != nullptr ? zone : barre;
            if (zone != nullptr)
                barre->resize(Taille_Barre(barre));
            cadre->setGeometry(surface_->width() - place.width(), En_Pixels(d.Barre_Deter).top(),
                               place.width(), place.height());
        }
        const Panes_Affichees& a = d.Affichees;
        if (a.Robot && !(portrait_ && portrait_->Sans_Portrait())) Robot->show();
        if (a.Barre_Deter) Barre_Deter->show();
        if (a.Cache_Pic_Choix) Pic_Choix->hide();
        if (a.Barre_Question) Barre_Question->show();
        if (a.Small_Robot) Small_Robot->show();
        if (a.Liste_Esp) Liste_Esp->show();
        if (a.Tree_esp) Tree_esp->show();
        if (a.Barre_Verticale) Barre_Verticale->show();
        if (a.WebTexte) WebTexte->show();
        if (a.Barre_Verticale) Barre_Verticale->raise();
    }
    // The results label over the status bar's second panel.
    const QRect panneau = sbStatusBar->Panneau2();
    Resultat->setGeometry(panneau.left() + 2, sbStatusBar->y() + 2, panneau.width(), sbStatusBar->height() - 2);
    Resultat->setToolTip(QString());
    // 9-point bold in every language, whatever font the window's texts gave every control.
    QFont gras = Legende->font();
    gras.setPointSize(9);
    gras.setBold(true);
    Legende->setFont(gras);
    Legende->setGeometry(0, 0, Resultat->width(), Resultat->height());
    Resultat->setVisible(!sbStatusBar->isHidden());
    Resultat->raise();
    Place_Ajouts();
}

void frmMain::resizeEvent(QResizeEvent* evenement) {
    QMainWindow::resizeEvent(evenement);
    Positionne_Controles();
}

bool frmMain::eventFilter(QObject* objet, QEvent* evenement) {
    if (evenement->type() == QEvent::ShowToParent || evenement->type() == QEvent::HideToParent) {
        QScrollArea* zone = objet == Barre_Deter      ? defile_deter_
                            : objet == Barre_Question ? defile_question_
                                                      : nullptr;
        if (zone != nullptr)
            zone->setVisible(evenement->type() == QEvent::ShowToParent);
        if (objet == Pic_Choix)
            Actualise_Copie(evenement->type() == QEvent::ShowToParent);
        return false;
    }
    if (objet == Liste_Esp->viewport() && evenement->type() == QEvent::MouseButtonPress) {
        ligne_avant_appui_ = Liste_Esp->currentIndex();
        return false;
    }
    if (objet == Small_Robot && evenement->type() == QEvent::MouseButtonRelease) {
        mnuViewIdentification->trigger();
        return true;
    }
    if (objet == Barre_Verticale) {
        auto* souris = static_cast<QMouseEvent*>(evenement);
        switch (evenement->type()) {
            case QEvent::MouseButtonPress:
                separateur_tire_ = souris->button() == Qt::LeftButton;
                return true;
            case QEvent::MouseMove:
                if (separateur_tire_ && (souris->buttons() & Qt::LeftButton)) {
                    Barre_Verticale->move(Barre_Verticale->x() + static_cast<int>(souris->position().x()),
                                          Barre_Verticale->y());
                }
                return true;
            case QEvent::MouseButtonRelease:
                if (separateur_tire_) {
                    separateur_tire_ = false;
                    Relache_Separateur(disposition_, En_Twips(Barre_Verticale->x()), En_Twips(surface_->width()));
                    Applique_Disposition();
                }
                return true;
            default:
                break;
        }
    }
    return QMainWindow::eventFilter(objet, evenement);
}

// --- Views and menus -----------------------------------------------------------------------

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
    Small_Robot->show();
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
    Small_Robot->show();
    Tree_esp->show();
    Barre_Verticale->show();
    Barre_Verticale->raise();
    WebTexte->show();
    Desactive_Bouton("Copy");  // nothing is copied from the document view
    tbToolBar->Affiche_Positions(13, contexte_.reglages.Distribution == "hd" ? 18 : 20, true);
    Tree_esp->setFocus();
    Montre_Ajouts();
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

void frmMain::Ouvre_Options() {
    if (!identification_) return;
    const int16_t avant = contexte_.reglages.Seuil_Pourcent;
    frmOptions options(contexte_.reglages, contexte_.Langue, contexte_.magasin, contexte_.dialogues, this);
    options.exec();
    identification_->Change_Textes(Textes_Moteur_Langue(contexte_.Langue));
    identification_->Change_Strategie(contexte_.reglages.Strategie);
    impression_->Traduit(contexte_.Langue);
    Traduit_Ajouts();
    if (contexte_.reglages.Seuil_Pourcent != avant) {
        identification_->Change_Seuil(contexte_.reglages.Seuil_Pourcent);
        if (Liste_Esp->isVisible()) {
            Clic_Liste();
            WebTexte->setFocus();
        }
    }
}

void frmMain::Ouvre_Aide() {
    const QString chm = Q(Trouve_Fichier(contexte_.reglages.Rep_Executables + "help/Kestrane.chm"));
    if (QFileInfo(chm).isFile() && QDesktopServices::openUrl(QUrl::fromLocalFile(chm))) return;
    // Otherwise the HTML guide: the one shipped with the program, else the one beside the base.
    QString guide = Q(contexte_.guide_utilisateur);
    if (guide.isEmpty()) guide = Q(Trouve_Fichier(contexte_.reglages.Rep_Executables + "help/guide.html"));
    if (QFileInfo(guide).isFile()) QDesktopServices::openUrl(QUrl::fromLocalFile(guide));
}

void frmMain::Active_Bouton(const QString& cle) {
    tbToolBar->Active_Bouton(cle);
    if (cle == "Copy")
        mnuEditCopy->setEnabled(true);
}

void frmMain::Desactive_Bouton(const QString& cle) {
    tbToolBar->Desactive_Bouton(cle);
    // The menu entry issues the same command: it is off wherever the button is.
    if (cle == "Copy")
        mnuEditCopy->setEnabled(false);
}

// --- Commands ------------------------------------------------------------------------------

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
        const auto nom = contexte_.dialogues.Fichier_A_Enregistrer(this, Chaine_Texte(1025), Chaine_Texte(1052), ".ido");
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
    return true;
}

void frmMain::Ouvre(const QString& argument) {
    QString chemin = argument;
    if (chemin.isEmpty()) {
        if (!Enregistre_Avant(Chaine_Texte(1024)))
            return;
        const auto nom = contexte_.dialogues.Fichier_A_Ouvrir(this, Chaine_Texte(1024), Chaine_Texte(1052), ".ido");
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
            if (!visible) continue;
            fenetre->setWindowFlag(Qt::WindowStaysOnTopHint, true);
            fenetre->show();
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
