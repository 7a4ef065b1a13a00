// The main window's menus, their shortcuts, and the buttons of the main toolbar that follow them.

#include <QAction>
#include <QMenuBar>

#include "Barre_Etat.h"
#include "Barre_Principale.h"
#include "frmMain.h"

namespace kestrane {
namespace {

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

}  // namespace kestrane
