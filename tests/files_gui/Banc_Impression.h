#pragma once
// The key of Banc_Portrait with an Impression whose printer dialog is scripted and whose
// documents go to PDF files, one file per document (doc1.pdf, doc2.pdf, ... in a temporary
// folder), read back as rasters at 50 dpi.

#include <QColor>
#include <QImage>
#include <QPrinter>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <memory>
#include <optional>

#include "Banc_Portrait.h"
#include "Dialogues_Scriptes.h"
#include "Impression.h"

namespace kestrane::test {

// The scripted printer dialog, which on OK also sets the printer up as a user would: PDF output
// and the copy count of `copies`.
class Dialogues_Pdf : public Dialogues_Scriptes {
  public:
    bool Imprimante(QWidget* parent, QPrinter& printer) override;

    int copies = 1;
    int dialogues_imprimante = 0;  // how many printer dialogs were shown
};

class Banc_Impression {
  public:
    // `sql` changes the copy of the key before it loads.
    explicit Banc_Impression(const std::string& sql = {});
    ~Banc_Impression();

    // The documents written so far, in order.
    const QStringList& Documents() const { return documents_; }
    // The pages of a PDF file rendered at 50 dpi; empty when it cannot be rendered.
    static std::vector<QImage> Pages(const QString& pdf);

    Banc_Portrait Portrait;
    Dialogues_Pdf Dialogues;
    std::unique_ptr<Impression> Imprimeur;

  private:
    std::filesystem::path dossier_;
    QStringList documents_;
};

// Whether `pixel` is within `tolerance` of `attendue` on every channel (the PDF rasteriser may
// round colours).
bool Couleur_Proche(QRgb pixel, QRgb attendue, int tolerance = 12);
// The colour at the point (x, y) of a 480 x 360 drawing stretched to the whole of `page`.
QRgb Au_Point(const QImage& page, double x, double y);

}  // namespace kestrane::test
