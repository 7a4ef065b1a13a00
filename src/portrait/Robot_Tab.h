#pragma once
// The portrait's layers: the Nb_Robot pieces chosen by the portrait composition, then the
// Nb_Dessins_Sup overlays of the contradiction display. Layer i is painted stretched to the
// whole picture box, above layers 0 .. i-1; a layer without a picture is skipped.
//
// It is the window's Chargeur_Pieces: each drawing file is read and parsed once and kept for the
// session, so that going back to an earlier answer reloads nothing. While the main window loads,
// a piece that cannot be read fails the composition (the window then ends the program, a key
// without its portrait being unusable); once Demarrage_Termine has run, the same failure shows
// the message of Charge_Dessin, leaves the layer empty and lets the session go on, so that an
// unsaved identification is never lost.
//
// The composed picture is kept per size and device pixel ratio (one for the whole stack, one for
// the pieces only) and rebuilt only after a layer changed; Calques_Changes tells the views.

#include <QImage>
#include <QObject>
#include <QSize>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Base_Connaissance.h"
#include "Composition_Portrait.h"
#include "Dessin.h"

namespace kestrane {

class Dialogues;
class Hote_Portrait;

class Robot_Tab : public QObject, public Chargeur_Pieces {
    Q_OBJECT
public:
    struct Calque {
        std::shared_ptr<const Dessin> Image;  // null when none is loaded
        std::string Chemin;                   // the path it was loaded from, upper-cased
    };

    // `hote` and `dialogues` must outlive this object.
    Robot_Tab(const Base_Connaissance& base, Hote_Portrait& hote, Dialogues& dialogues, QObject* parent = nullptr);

    // Chargeur_Pieces.
    bool Charge_Piece(int piece, const std::string& chemin) override;
    void Etat_Inexistant(const std::string& message) override;

    // From now on a missing piece is reported and skipped instead of failing the composition.
    void Demarrage_Termine() { en_session_ = true; }
    bool En_Session() const { return en_session_; }

    // Makes layer n - 1 the picture read from `chemin`, growing the table to n layers. A file that
    // cannot be read shows string 1077 + " Fichier : " + the path and leaves the layer empty.
    // `objet` is the character the layer stands for; it is not used.
    void Charge_Dessin(const std::string& objet, int n, const std::string& chemin);

    int Nb_Robot() const { return nb_robot_; }
    int Nb_Dessins_Sup() const { return nb_dessins_sup_; }
    // The overlay count; the table grows (empty layers) or shrinks to Nb_Robot + n layers.
    void Fixe_Nb_Dessins_Sup(int n);
    // Nb_Dessins_Sup = 0 and the table shrunk to its pieces, which it keeps.
    void Retire_Calques();

    const std::vector<Calque>& Calques() const { return calques_; }

    // The composed picture for a box of `taille` logical pixels on a device of ratio `dpr`:
    // white, then every piece, then (avec_calques) every overlay. Cached.
    QImage Image(QSize taille, qreal dpr, bool avec_calques) const;
    // The colour, as red + 256 green + 65536 blue, of logical pixel `pixel` of that picture;
    // white outside it.
    int32_t Couleur(QSize taille, qreal dpr, QPoint pixel, bool avec_calques) const;

signals:
    // A layer changed: the pictures must be painted again.
    void Calques_Changes();

private:
    std::shared_ptr<const Dessin> Lit(const std::string& chemin, std::string* erreur);
    void Message_Indisponible(const std::string& chemin);
    void Change();

    const Base_Connaissance& base_;
    Hote_Portrait& hote_;
    Dialogues& dialogues_;
    int nb_robot_ = 0;
    int nb_dessins_sup_ = 0;
    bool en_session_ = false;
    std::vector<Calque> calques_;
    std::map<std::string, std::shared_ptr<const Dessin>> lus_;  // by upper-cased path

    struct Cache {
        QSize taille;
        qreal dpr = 0;
        uint64_t generation = 0;
        QImage image;
    };
    uint64_t generation_ = 1;
    mutable Cache caches_[2];  // [0] pieces only, [1] with the overlays
};

}  // namespace kestrane
