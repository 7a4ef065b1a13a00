#include "Impression.h"

#include <QCoreApplication>
#include <QProgressBar>

#include <algorithm>

#include "Chemins_Fichiers.h"
#include "Dialogues.h"
#include "Joueur_Metafichier.h"
#include "Metafichier.h"
#include "Pieces_Imprimees.h"
#include "Reglages.h"
#include "frmPrint.h"

namespace kestrane {
namespace {

// Marks a print as running for the lifetime of one entry, and then gives the printer back the
// copy count the dialog left in it (`copies`, once the dialog has run).
class Impression_En_Cours {
  public:
    Impression_En_Cours(bool& en_cours, QPrinter& imprimante) : en_cours_(en_cours), imprimante_(imprimante) {
        en_cours_ = true;
    }
    ~Impression_En_Cours() {
        if (copies > 0)
            imprimante_.setCopyCount(copies);
        en_cours_ = false;
    }
    Impression_En_Cours(const Impression_En_Cours&) = delete;
    Impression_En_Cours& operator=(const Impression_En_Cours&) = delete;

    int copies = 0;

  private:
    bool& en_cours_;
    QPrinter& imprimante_;
};

// The drawing of the drawing page fills 2200 x 3300 dots of a 300-dpi grid.
constexpr int Largeur_Dessin = 2200;
constexpr int Hauteur_Dessin = 3300;
constexpr int Points_Par_Pouce_Dessin = 300;

// Printer pixels per grid dot: the whole number of them, as a printer at a multiple of 300 dpi
// gives; below 300 dpi, where that number would be 0, the exact fraction.
double Facteur_Grille(int points_par_pouce) {
    if (points_par_pouce >= Points_Par_Pouce_Dessin)
        return points_par_pouce / Points_Par_Pouce_Dessin;
    return static_cast<double>(std::max(points_par_pouce, 1)) / Points_Par_Pouce_Dessin;
}

}  // namespace

Impression::Impression(const Base_Connaissance& base, const Reglages& reglages, Dialogues& dialogues,
                       QWidget* fenetre)
    : base_(base),
      reglages_(reglages),
      dialogues_(dialogues),
      fenetre_(fenetre),
      imprimante_(QPrinter::HighResolution),
      frm_print_(new frmPrint(fenetre)) {
    connect(frm_print_, &frmPrint::Abandon_Demande, this, &Impression::Abandonne);
}

Impression::~Impression() {
    if (peintre_.isActive())
        peintre_.end();
    delete frm_print_.data();
}

void Impression::Traduit(int langue) {
    if (frm_print_)
        frm_print_->Traduit(langue);
}

bool Impression::Demande_Imprimante(int& copies) {
    impression_annulee_ = false;
    if (!dialogues_.Imprimante(fenetre_, imprimante_))
        return false;
    copies = std::max(1, imprimante_.copyCount());
    imprimante_.setCopyCount(1);
    return true;
}

Status Impression::Ouvre_Document(QPageLayout::Orientation orientation, bool pleine_page) {
    Termine_Document();
    imprimante_.setPageOrientation(orientation);
    imprimante_.setFullPage(pleine_page);
    emit Document_Commence();
    if (!peintre_.begin(&imprimante_)) {
        imprimante_.setPageOrientation(QPageLayout::Portrait);
        imprimante_.setFullPage(false);
        const QString nom =
            imprimante_.outputFileName().isEmpty() ? imprimante_.printerName() : imprimante_.outputFileName();
        return Status::Error("the printer cannot start a document: " + nom.toStdString());
    }
    return Status::Ok();
}

void Impression::Termine_Document() {
    if (!peintre_.isActive())
        return;
    peintre_.end();
    imprimante_.setPageOrientation(QPageLayout::Portrait);
    imprimante_.setFullPage(false);
    emit Document_Termine();
}

void Impression::Abandonne() {
    if (!peintre_.isActive())
        return;
    imprimante_.abort();
    Termine_Document();
    impression_annulee_ = true;
}

Status Impression::Joue_Metafichier(const std::string& chemin) {
    if (!peintre_.isActive())
        return Status::Error("no document is open to play " + chemin);
    auto fichier = wmf::Metafichier::Lit_Fichier(Trouve_Fichier(chemin));
    if (!fichier)
        return fichier.status();
    // The painter covers the whole sheet (full-page mode): the drawing's frame is mapped onto it,
    // stretched independently in x and y.
    const QRectF feuille(0, 0, imprimante_.width(), imprimante_.height());
    wmf::Joueur_Metafichier::Joue(fichier.value(), peintre_, feuille);
    return Status::Ok();
}

Status Impression::Imprime_Robot(const std::vector<int16_t>& etats_choisis) {
    if (en_cours_)
        return Status::Ok();
    Impression_En_Cours garde(en_cours_, imprimante_);
    impression_annulee_ = false;
    return Imprime_Copie_Robot(etats_choisis);
}

Status Impression::Imprime_Copie_Robot(const std::vector<int16_t>& etats_choisis) {
    if (!frm_print_)
        return Status::Error("the progress window was closed with the main window");
    if (Status s = Ouvre_Document(QPageLayout::Landscape, true); !s)
        return s;
    const int nb_robot = std::max<int>(base_.Nb_Robot, 0);
    frm_print_->Attente->setRange(0, std::max(nb_robot - 1, 0));
    frm_print_->Attente->setValue(0);
    frm_print_->Montre_Centre();
    const auto pieces = Pieces_Imprimees(base_, reglages_.Rep_Robot, etats_choisis);
    Status resultat = Status::Ok();
    for (int i = 0; i < nb_robot; ++i) {
        frm_print_->Attente->setValue(i);
        QCoreApplication::processEvents();
        const auto& chemin = pieces[static_cast<size_t>(i)];
        if (!chemin)
            continue;
        if (impression_annulee_)
            break;
        resultat = Joue_Metafichier(*chemin);
        if (!resultat)
            break;  // the copy ends here with what is drawn so far
    }
    Termine_Document();
    frm_print_->hide();
    return resultat;
}

Status Impression::Apres_Dialogue(const std::function<Status(int copies)>& impression) {
    if (en_cours_)
        return Status::Ok();
    Impression_En_Cours garde(en_cours_, imprimante_);
    if (!Demande_Imprimante(garde.copies))
        return Status::Ok();
    return impression(garde.copies);
}

Status Impression::Imprime_Portrait(const std::vector<int16_t>& etats_choisis) {
    return Apres_Dialogue([&](int copies) {
        Status resultat = Status::Ok();
        for (int c = 0; c < copies && !impression_annulee_; ++c) {
            if (Status s = Imprime_Copie_Robot(etats_choisis); !s)
                resultat = s;
        }
        return resultat;
    });
}

Status Impression::Imprime_Choix(const std::string& popup) {
    // One copy, whatever the dialog asked for.
    return Apres_Dialogue([&](int) {
        if (Status s = Ouvre_Document(QPageLayout::Landscape, true); !s)
            return s;
        Status resultat = Joue_Metafichier(reglages_.Rep_Descripteurs + popup);
        Termine_Document();
        return resultat;
    });
}

Status Impression::Imprime_Dessin(const QImage& image_dessin) {
    return Apres_Dialogue([&](int copies) { return Imprime_Copies_Dessin(image_dessin, copies); });
}

Status Impression::Imprime_Copies_Dessin(const QImage& image_dessin, int copies) {
    for (int c = 0; c < copies && !impression_annulee_; ++c) {
        if (Status s = Ouvre_Document(QPageLayout::Portrait, false); !s)
            return s;
        const double fx = Facteur_Grille(imprimante_.logicalDpiX());
        const double fy = Facteur_Grille(imprimante_.logicalDpiY());
        if (!image_dessin.isNull()) {
            peintre_.setRenderHint(QPainter::SmoothPixmapTransform, true);
            peintre_.drawImage(QRectF(0, 0, fx * Largeur_Dessin, fy * Hauteur_Dessin), image_dessin);
        }
        Termine_Document();
    }
    return Status::Ok();
}

}  // namespace kestrane
