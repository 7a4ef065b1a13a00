#pragma once
// One picture of the knowledge base, read once and painted any number of times: a Windows
// metafile (painted stretched, drawing only what it contains) or, failing that, any raster
// picture the toolkit reads (button pictures, icons). Immutable once loaded, so layers and
// caches share it.

#include <QImage>
#include <QPainter>
#include <QRectF>

#include <memory>
#include <optional>
#include <string>

#include "Metafichier.h"
#include "Status.h"

namespace kestrane {

class Dessin {
public:
    // Reads the file at `chemin`, found without regard to case. The error names the file.
    static Result<std::shared_ptr<const Dessin>> Charge(const std::string& chemin);

    // Paints the picture stretched to `cible` (painter coordinates).
    void Peint(QPainter& peintre, const QRectF& cible) const;

    bool Est_Metafichier() const { return metafichier_.has_value(); }
    // The picture's own proportions: a metafile's bounding box (or its first window extent), a
    // raster picture's size; empty when the file does not say.
    QSizeF Taille_Naturelle() const;

private:
    std::optional<wmf::Metafichier> metafichier_;
    QImage image_;
};

}  // namespace kestrane
