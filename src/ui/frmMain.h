#pragma once
// The main window: the portrait with its two toolbars, the results list or the species tree with
// the small portrait, the document view, the menus, the main toolbar and the status bar.
//
// It owns the loaded knowledge base and the current identification, and answers the engine's
// observer and questions. Its load (`Charge`) follows a fixed order and may end the program:
// the caller shows nothing else when it returns a fatal issue. Every modal question goes through
// the context's Dialogues.

#include <QMainWindow>
#include <QPersistentModelIndex>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Base_Connaissance.h"
#include "Contexte_Programme.h"
#include "Dialogue_Utilisateur.h"
#include "Disposition.h"
#include "Hote_Documents.h"
#include "Hote_Portrait.h"
#include "Identification_Courante.h"
#include "Observateur_Identification.h"
#include "Verrou_Instances.h"

class QLabel;
class QMenu;
class QFrame;
class QScrollArea;
class QTreeView;

namespace kestrane {

class Barre_Principale;
class Barre_Etat;
class Modele_Liste_Esp;
class Documents;
class Portrait_Questions;
class Impression;
class Filtre_Especes;
class Historique_Reponses;
class Panneau_Reponses;
class Vignettes_Etats;
class Page_Comparaison;

// How the load ended.
struct Issue_Chargement {
    enum class Genre { Chargee, Abandon, Fatale } genre = Genre::Chargee;
    QString message;  // for Fatale: the text of the message box
    QString titre;    // its title
};

class frmMain : public QMainWindow,
                private Observateur_Identification,
                private Dialogue_Utilisateur,
                private Hote_Portrait,
                private Hote_Documents {
    Q_OBJECT
public:
    explicit frmMain(Contexte_Programme& contexte, QWidget* parent = nullptr);
    ~frmMain() override;

    // The load: strings, the single-instance question, the settings, the knowledge base, the
    // identification and its toolbars, then the file named on the command line.
    Issue_Chargement Charge(const QString& ligne_commande);

    // Tells the user, in one message, what the load of a damaged base passed over; once, and
    // nothing for a sound base. The start routine calls it once the window is shown.
    void Signale_Avertissements();

    // Lays out every pane for the current view; runs on start, refresh, bars shown or hidden,
    // a desktop change and every resize.
    void Positionne_Controles();
    void Vue_Identification() override;
    void Vue_Resultats();
    void Vue_Especes();

    // File, edit and document commands by key: "New", "Open", "Save", "Copy", "Print", "Help",
    // "Arriere", "Avant", "Stop", "Contra"; any other key does nothing. `argument` is Open's path.
    void Traiter_Fichier(const QString& cle, const QString& argument = QString());
    // Saves, asking for a name when Save is disabled; false when nothing was saved.
    bool Exec_Save();
    // The question whether to save a changed identification first (New, Open, Quit), titled
    // `titre`: false when the command must stop (Cancel, or Yes and the save did not happen).
    bool Enregistre_Avant(const QString& titre);

    void Active_Bouton(const QString& cle) override;
    void Desactive_Bouton(const QString& cle) override;

    int Mode_Affichage() const { return mode_affichage_; }
    const Base_Connaissance* Base() const { return base_.get(); }
    Identification_Courante* Identification() { return identification_.get(); }
    Portrait_Questions* Portrait() { return portrait_.get(); }
    Documents* Documents_Especes() { return documents_.get(); }
    const QString& Fichier_Courant() const { return fichier_courant_; }
    const QString& Titre_Fenetre() const { return titre_fenetre_; }
    const Disposition& Disposition_Courante() const { return disposition_; }
    Historique_Reponses* Historique() { return historique_.get(); }
    Panneau_Reponses* Panneau() { return panneau_; }
    Filtre_Especes* Filtre() { return filtre_; }

    // The panes and controls, named as the program names them (tests reach them).
    Barre_Principale* tbToolBar = nullptr;
    Barre_Etat* sbStatusBar = nullptr;
    QFrame* Resultat = nullptr;
    QLabel* Legende = nullptr;
    QWidget* Robot = nullptr;
    QWidget* Pic_Choix = nullptr;
    QWidget* Small_Robot = nullptr;
    QTreeView* Liste_Esp = nullptr;  // one column, no branches: it looks and acts as a list
    QWidget* Tree_esp = nullptr;
    QWidget* Barre_Verticale = nullptr;
    QWidget* WebTexte = nullptr;
    QWidget* Barre_Deter = nullptr;
    QWidget* Barre_Question = nullptr;

    QAction* mnuFileNew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileSaveAs = nullptr;
    QAction* mnuFilePrint = nullptr;
    QAction* mnuFileExit = nullptr;
    QAction* mnuEditIconize = nullptr;
    QAction* mnuEditCopy = nullptr;
    QAction* mnuViewIdentification = nullptr;
    QAction* mnuViewResults = nullptr;
    QAction* mnuViewSpecies = nullptr;
    QAction* mnuViewToolbar = nullptr;
    QAction* mnuViewStatusBar = nullptr;
    QAction* mnuViewRefresh = nullptr;
    QAction* mnuViewOptions = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuHelpAbout = nullptr;
    // Entries of our own: undo and redo of the answers, the name filter, the answers panel.
    QAction* mnuEditUndo = nullptr;
    QAction* mnuEditRedo = nullptr;
    QAction* mnuEditFind = nullptr;
    QAction* mnuViewAnswers = nullptr;
    QAction* mnuViewQuestions = nullptr;  // the ranked questions
    QAction* mnuListCompare = nullptr;    // the results list's "Compare with..."

signals:
    // The About entry: the start routine shows its splash window as the About box.
    void A_Propos_Demande();

protected:
    void closeEvent(QCloseEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    // Observateur_Identification
    void Identification_Devenue_Modifiee() override;
    void Liste_Esp_Remplie(const Liste_Especes& liste) override;
    bool Charge_Piece(int piece, const std::string& chemin) override;
    void Etat_Inexistant(const std::string& message) override;
    // Dialogue_Utilisateur
    void Message(const std::string& texte) override;
    bool Question_Oui_Non(const std::string& texte) override;
    // Hote_Portrait
    void Texte_Statut(const QString& texte) override;
    void Mode_Affichage(int mode) override;
    // Copy's availability in a base without a portrait (see the definition).
    void Actualise_Copie(bool choix_visible);
    void Commande_Vue_Resultats() override;
    void Sablier(bool actif) override;
    int Langue() const override { return contexte_.Langue; }
    QString Titre_Messages() const override { return windowTitle(); }
    QWidget* Fenetre() override { return this; }
    // Hote_Documents
    void Montre_Contra(bool visible) override;
    QString Suffixe_Langue() const override { return QString::fromStdString(contexte_.Suffixe_Langue); }
    void Change_Suffixe_Langue(const QString& suffixe) override { contexte_.Suffixe_Langue = suffixe.toStdString(); }
    void Pointeur_Normal() override;
    QRect Geometrie_Barre_Verticale() const override;
    QRect Zone_Ecran() const override;

    void Installe_Panes();
    // frmMain_Questions_Comparaison.cpp: the ranked questions and the comparison of two species.
    void Ajoute_Questions_Comparaison(QMenu* view);
    void Installe_Questions_Comparaison();
    void Montre_Questions();
    void Compare_Avec();
    void Clic_Liste();
    int Meilleur_Pourcentage() const;

    void Construit_Menus();
    void Bureau_Change(const QRect& zone_travail);
    void Construit_Panes();
    void Choisit_Vue(QAction* entree, int mode);
    void Bascule_Barre(QAction* entree, QWidget* barre);
    void Rafraichit();
    // When the document view shows: the small portrait repainted and the page reloaded.
    void Rafraichit_Documents();
    void Ouvre_Options();
    // The guide through the desktop; where it cannot show it, in the document view.
    void Ouvre_Aide();
    // Where the file dialogs start: the folder of the last identification opened or saved, else home.
    QString Dossier_Fichiers() const;
    void Nouvelle();
    void Imprime();
    void Ouvre(const QString& argument);
    // After New or Open: the caption for the current file, Save disabled (Save As as given),
    // the portrait view.
    void Revient_Au_Portrait(bool enregistrer_sous);
    void Montre_Contradictions();
    void Legende_Et_Liste(const Liste_Especes& liste);
    void Applique_Disposition();
    // Where a bar goes once wrapped in its scrolling area, and the size of that area: the bar's
    // whole size, or, when it does not fit above the status bar, the room there plus a scroll bar.
    QScrollArea* Enveloppe_Barre(QWidget* barre);
    QSize Place_Barre(QWidget* barre) const;
    // The window's minimum size shows both bars whole, within the screen's available area.
    void Ajuste_Taille_Minimale();
    QRect En_Pixels(const Rect_Twips& r) const;
    int En_Twips(int pixels) const;

    // The answers panel, the undo history and the name filter (frmMain_Reponses_Filtre.cpp).
    void Ajoute_Entrees(QMenu* edit, QMenu* view);
    void Installe_Ajouts();
    void Traduit_Ajouts();
    bool Panneau_Montre() const;
    bool Filtre_Montre() const;
    void Mesure_Ajouts(Mesures_Fenetre& mesures) const;
    void Place_Ajouts();
    void Montre_Ajouts();
    void Actualise_Reponses();
    void Annule_Ou_Retablit(bool annule);
    void Etat_Enregistrement();
    void Bascule_Panneau();
    // F9: the answers panel shown, with the focus in it.
    void Va_Au_Panneau();
    // The filter's text changed: says when it names no tree; hides the page of a species it hides.
    void Filtre_Change();
    void Ouvre_Filtre();
    void Ferme_Filtre();
    void Ouvre_Ligne(int rang);

    // The taxa's thumbnails in the results list and "What is this?" beside a question that has
    // help (frmMain_Medias.cpp).
    void Applique_Vignettes();
    void Installe_Aide_Question();
    void Actualise_Aide_Question();
    void Montre_Aide_Question();

    QString Chaine_Texte(int base) const;
    QString Titre_Programme() const;
    Reponse Demande(const QString& texte, Boutons boutons, Icone icone, const QString& titre);

    Contexte_Programme& contexte_;
    std::unique_ptr<Base_Connaissance> base_;
    std::unique_ptr<Identification_Courante> identification_;
    std::unique_ptr<Verrou_Instances> verrou_;
    std::unique_ptr<Portrait_Questions> portrait_;
    std::unique_ptr<Documents> documents_;
    std::unique_ptr<Impression> impression_;
    std::unique_ptr<Historique_Reponses> historique_;
    std::unique_ptr<Vignettes_Etats> vignettes_;
    Panneau_Reponses* panneau_ = nullptr;
    Filtre_Especes* filtre_ = nullptr;
    bool filtre_ouvert_ = false;
    std::unique_ptr<Page_Comparaison> comparaison_;
    Modele_Liste_Esp* modele_liste_ = nullptr;
    QWidget* surface_ = nullptr;
    Disposition disposition_;
    Mesures_Fenetre mesures_;  // those of the last layout
    QScrollArea* defile_deter_ = nullptr;
    QScrollArea* defile_question_ = nullptr;
    int mode_affichage_ = 1;
    QString fichier_courant_;
    QString dossier_fichiers_;
    bool filtre_aucune_dit_ = false;  // the status bar says that the filter names no tree
    QString titre_fenetre_;
    std::vector<std::string> avertissements_;  // what the load passed over, until told
    bool en_chargement_ = true;
    bool separateur_tire_ = false;
    QPersistentModelIndex ligne_avant_appui_;  // the current line of the results list at a press
    QAction* aide_question_ = nullptr;          // "What is this?" in the question bar
};

}  // namespace kestrane
