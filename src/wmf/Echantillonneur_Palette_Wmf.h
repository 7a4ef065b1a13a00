#pragma once
// The palette sampler of the program: renders the palette picture ("couleur.wmf") stretched to
// the splash window's picture box, as that box shows it, and reads the band centres on the
// middle row. Band c of N over a box W pixels wide is read at x = round(W / N / 2 + c × W / N),
// y = round(H / 2), halves rounded to even.

#include <QImage>
#include <QSize>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Palette_Sampler.h"

namespace kestrane::wmf {

class Echantillonneur_Palette_Wmf : public Palette_Sampler {
  public:
    // chemin: the palette metafile; largeur × hauteur: the picture box's inner size in pixels.
    Echantillonneur_Palette_Wmf(std::string chemin, int largeur, int hauteur);

    // Colours 0x00BBGGRR left to right; empty when the picture cannot be read or nb_couleurs ≤ 0.
    std::vector<int32_t> Echantillonne(int nb_couleurs) override;

    // The sampling points for a box of the given size, in pixels.
    static std::vector<QPoint> Points(int nb_couleurs, int largeur, int hauteur);

  private:
    std::string chemin_;
    QSize taille_;
    std::optional<QImage> image_;  // rendered once, on first use
};

}  // namespace kestrane::wmf
