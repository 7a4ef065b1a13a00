#pragma once
// The small pictures of the states that the answers panel shows: a state's cell cut out of its
// character's chooser picture (Rep_Descripteurs + Popup, a grid of Lignes x Colonnes cells, cell
// k for state Index_Car + k), in the proportions of the picture's own cells (the chooser's 4:3
// when the file does not give its size), between half and twice as wide as high.
//
// Each picture file is read once and each cell drawn once per size; a picture that cannot be read
// gives a null pixmap and is not read again. `reglages` is read at each use and must outlive this
// object, as must the base. User-interface thread only.

#include <QPixmap>
#include <QSize>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "Base_Connaissance.h"
#include "Dessin.h"

namespace kestrane {

struct Reglages;

class Vignettes_Etats {
  public:
    explicit Vignettes_Etats(const Reglages& reglages) : reglages_(reglages) {}

    // The size of a cell of `dessin` (a grid of `objet`'s cells) at `hauteur` logical pixels high.
    static QSize Taille(const Objet_Fic& objet, const Dessin& dessin, int hauteur);
    // Cell `cellule` of the character's picture at that size, for a screen of `ratio` device
    // pixels per logical pixel; null when the picture cannot be read or the cell is not in it.
    QPixmap Vignette(const Objet_Fic& objet, int cellule, int hauteur, qreal ratio);
    // The same when it was drawn already (no file read, no drawing); nullopt otherwise.
    std::optional<QPixmap> Deja_Dessinee(const Objet_Fic& objet, int cellule, int hauteur, qreal ratio) const;

  private:
    std::shared_ptr<const Dessin> Dessin_De(const std::string& chemin);
    std::tuple<std::string, int, int, qreal> Cle(const Objet_Fic& objet, int cellule, int hauteur,
                                                 qreal ratio) const;

    const Reglages& reglages_;
    std::map<std::string, std::shared_ptr<const Dessin>> dessins_;  // by path; null: unreadable
    std::map<std::tuple<std::string, int, int, qreal>, QPixmap> cellules_;
};

}  // namespace kestrane
