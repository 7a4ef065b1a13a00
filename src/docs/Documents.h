#pragma once
// The documents of the species: the species tree, the document view, the legend and zoom windows
// and the images of the drawing page, with the current species they share (Etat_Documents).
//
// The main window creates one Documents after loading the knowledge base (and holds it, e.g. in a
// std::unique_ptr member, so that it goes before the window's child widgets), places Arbre() and
// Vue() in its panes, calls Remplit_Arbre() during its load and hands over the results list's
// clicks and the toolbar commands "Arriere", "Avant", "Stop" and "Print" (when the view is shown).
// The knowledge base, the settings, the host and the dialogs must outlive this object; the
// settings are read at each use, so a change of the documents' source applies to the next page.
// The tree, the view, the zoom and the legend windows are destroyed with this object.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <memory>

#include "Etat_Documents.h"
#include "Medias_Documents.h"
#include "Perimetre_Documents.h"
#include "Tree_esp.h"

class QAbstractItemView;
class QPrinter;
class QWidget;

namespace kestrane {

struct Base_Connaissance;
struct Reglages;
class Dialogues;
class Hote_Documents;
class Recordset;
class WebTexte;
class cImgs;
class frmLegende;
class frmZoom;

class Documents : public QObject {
    Q_OBJECT
  public:
    // `fenetre` (the main window, may be null) becomes the parent of the tree and the view, which
    // it may move into its layout, and of the zoom and legend windows, which stay windows of
    // their own above it.
    Documents(Hote_Documents& hote, const Reglages& reglages, const Base_Connaissance& base,
              Dialogues& dialogues, QWidget* fenetre);
    ~Documents() override;

    Tree_esp& Arbre();
    WebTexte& Vue();
    frmZoom& Zoom();
    frmLegende& Legende();
    cImgs& Images();
    Etat_Documents& Etat() { return etat_; }
    const Etat_Documents& Etat() const { return etat_; }

    // Fills the species tree (once, during the main window's load).
    void Remplit_Arbre();

    // Opens the species of a tree node.
    void Tree_esp_NodeClick(const Choix_Espece& choix);

    // Opens the species of the selected line of the results list (the first line when none is
    // selected) and shows the "Contra" pair unless the species matches every answer (100 %) or no
    // species has any score (`pourcent_meilleur`, the best percentage, is 0). Lines are
    // "<sign><percent>% - <species name>".
    void Liste_Esp_Click(QAbstractItemView& liste, int pourcent_meilleur);

    // The list takes the keyboard focus the first time the mouse passes over it (once per run).
    void Suit_Focus_Liste(QAbstractItemView& liste);

    // Toolbar commands on the view: back (hides the zoom and legend; one more page forward),
    // forward (only when a page is forward), stop.
    void Arriere();
    void Avant();
    void Stop();

    // Prints the page shown on the printer chosen in the printer dialog. Errors are not reported.
    void Imprime_Document();

    // The documents' language suffix ("_fr"), taken from the page shown as when a species opens.
    QString Suffixe_Documents();
    // Shows a local page of the program's making as the view's next page (Back returns to the
    // one shown before), with the zoom and the legend hidden.
    void Affiche_Fichier(const QString& chemin);

    // The species' thumbnails of the documents on disk (none for documents on a web site).
    const Vignettes_Especes& Vignettes();
    // The help page of a question ("What is this?") in the interface language, else in another
    // language of the base; "" when the base has none.
    QString Page_Aide_Question(const std::string& objet) const;
    // Shows a page of the base's documents as the view's next page, the zoom and legend hidden.
    void Affiche_Page_Base(const QString& chemin);

    // Hides the zoom and the legend windows.
    void Cache_Fenetres();
    // Forgets the full-size drawing (the zoom then paints nothing).
    void Libere_Dessin();

    // Refreshes "Arriere" and "Avant" from the view; the 100 ms timer calls it.
    void Timer1_Timer();

  signals:
    // A print asked by Imprime_Document has ended.
    void Impression_Terminee(bool reussie);

  private:
    bool Documents_Locaux() const;
    // The documents' folder when they are on disk, else "".
    QString Dossier_Local() const;
    // What the view may show and read under the current settings.
    Perimetre_Documents Perimetre() const;
    // Offers a link the user followed out of the pages to the desktop's browser.
    void Ouvre_Lien_Externe(const QUrl& adresse);
    QString Adresse_Documents() const;
    void Prend_Suffixe_De_La_Vue();
    void Cherche_Espece(const QString& nom);
    void Ouvre_Page_Espece();
    void WebTexte_BeforeNavigate2();
    void WebTexte_DocumentComplete();
    void Montre_Legende(bool pres_de_la_barre);
    void m_clsImgs_MouseDown(int x, int y, int dx, int dy);
    void m_clsImgs_MouseMove(int x, int y, int dx, int dy);

    Hote_Documents& hote_;
    const Reglages& reglages_;
    const Base_Connaissance& base_;
    Dialogues& dialogues_;
    Etat_Documents etat_;
    std::unique_ptr<Recordset> Rs_Flore;

    QPointer<Tree_esp> arbre_;
    QPointer<WebTexte> vue_;
    QPointer<frmZoom> zoom_;
    QPointer<frmLegende> legende_;
    cImgs* images_;
    QTimer Timer1;
    bool Liste_Focus = false;
    std::unique_ptr<QPrinter> imprimante_;
    QStringList dossiers_programme_;  // folders of the pages the program wrote and showed
    Vignettes_Especes vignettes_;
};

}  // namespace kestrane
