#pragma once
// The "Print" command for what the main window shows, other than an HTML page: the portrait,
// replayed from its drawings; the state picture of the chooser; the species drawing of the
// drawing page. Each entry shows the printer dialog first (through Dialogues) and prints nothing
// when it is cancelled.
//
// One object per main window. It owns the printer, so that the choices made in the dialog hold
// for the next print, and the progress window frmPrint. The base, the settings and the dialogs
// must outlive it; the settings are read at every print. User-interface thread only; a print
// asked for while another runs (pending events run between pieces) is ignored, and the object must
// not be destroyed from those events.
//
// Documents: each portrait copy is one document of one landscape page; the state picture is one
// landscape document whatever the number of copies; the species drawing makes one document per
// copy. The printer's own copy count is set to 1 while printing (each copy being a document of its
// own) and put back afterwards. Document_Commence and Document_Termine bracket every document.
//
// Abort: Abord_But asks the printer to abort its job, ends the document, and sets
// Impression_Annulee, which stops the portrait print before its next piece and skips the copies
// not yet started. The flag is set whatever the printer's abort reports (Qt's PDF and CUPS engines
// report that they cannot abort, and the page is then ended with what it holds), and it is
// cleared when the next print starts.
//
// Errors: a drawing that cannot be read ends that copy at once (the page drawn so far is ended)
// and the next copy goes on; the entry returns the last such error, for the caller to record.

#include <QImage>
#include <QObject>
#include <QPainter>
#include <QPointer>
#include <QPrinter>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Base_Connaissance.h"
#include "Status.h"
#include "frmPrint.h"

class QWidget;

namespace kestrane {

class Dialogues;
struct Reglages;

class Impression : public QObject {
    Q_OBJECT
  public:
    // `fenetre` is the parent of the dialogs and of frmPrint.
    Impression(const Base_Connaissance& base, const Reglages& reglages, Dialogues& dialogues,
               QWidget* fenetre);
    ~Impression() override;

    // The portrait for the answers `etats_choisis`: Imprime_Robot once per copy asked for.
    Status Imprime_Portrait(const std::vector<int16_t>& etats_choisis);
    // The state picture Rep_Descripteurs + `popup`, stretched to one landscape page, one copy.
    Status Imprime_Choix(const std::string& popup);
    // The species drawing (2200 x 3300 pixels) on the 300-dpi grid: 7 1/3 x 11 inches from the
    // printable area's top left corner, once per copy. A null picture prints empty pages.
    Status Imprime_Dessin(const QImage& image_dessin);

    // One copy of the portrait on the printer as it is set up (no dialog): one landscape page with
    // every piece's drawing stretched to the whole sheet, in piece order, frmPrint showing the
    // progress. Stops before the next piece once Impression_Annulee is set.
    Status Imprime_Robot(const std::vector<int16_t>& etats_choisis);
    // Plays the metafile at `chemin` (found without regard to case) stretched to the whole sheet
    // of the open document. The error names the file.
    Status Joue_Metafichier(const std::string& chemin);

    bool Impression_Annulee() const { return impression_annulee_; }
    bool En_Cours() const { return en_cours_; }
    QPrinter& Imprimante() { return imprimante_; }
    frmPrint& Progression() { return *frm_print_; }
    // Captions of frmPrint in the interface language.
    void Traduit(int langue);

  signals:
    void Document_Commence();
    void Document_Termine();

  private:
    // What Abord_But does.
    void Abandonne();
    // Runs `impression` with the number of copies asked for once the dialog is accepted; nothing
    // while another print runs or when the dialog is cancelled.
    Status Apres_Dialogue(const std::function<Status(int copies)>& impression);
    // Imprime_Dessin's copies, after the dialog.
    Status Imprime_Copies_Dessin(const QImage& image_dessin, int copies);
    // Imprime_Robot without the guard, for the copies of Imprime_Portrait.
    Status Imprime_Copie_Robot(const std::vector<int16_t>& etats_choisis);
    // Opens a document (ending any open one first) in `orientation`; the painter then covers the
    // whole sheet when `pleine_page`, else the printable area.
    Status Ouvre_Document(QPageLayout::Orientation orientation, bool pleine_page);
    // Ends the open document, if any, and puts the orientation back to portrait.
    void Termine_Document();
    // The dialog, with the flag cleared; false when cancelled. Leaves the copies asked for in
    // `copies` and the printer's count at 1.
    bool Demande_Imprimante(int& copies);

    const Base_Connaissance& base_;
    const Reglages& reglages_;
    Dialogues& dialogues_;
    QWidget* fenetre_;
    QPrinter imprimante_;
    QPainter peintre_;
    QPointer<frmPrint> frm_print_;  // deleted with this object or, before it, with `fenetre`
    bool impression_annulee_ = false;
    bool en_cours_ = false;
};

}  // namespace kestrane
