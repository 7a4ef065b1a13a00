#pragma once
// The state chooser: the picture of the asked character's states, a grid of Lignes x Colonnes
// cells stretched to the interior, cell = row x Colonnes + column standing for state
// Index_Car + cell. A click selects a cell (Question.Choix) and boxes it in blue; a click on the
// selected cell removes the selection. The previous box is drawn over in white until another
// picture opens. Hovering shows the state's TipText in the interface language.
//
// Keyboard: the arrow keys move a dotted focus box over the cells, Space picks the focused cell as
// a click would, Enter picks it (never taking it back) and asks to confirm (Confirme), Escape asks
// to go back (Retour). Enter before any key only shows the focus box when nothing is picked.
//
// A character without a picture of its states is answered from the list of their texts, one line
// a state (Affiche_Liste): the same cells, one column of lines of text, picked by the same clicks
// and keys.
//
// The widget reads and writes the question it is given (the current identification's), which
// must outlive it. It records nothing in the identification: the question bar does.

#include <QPointF>
#include <QRectF>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Base_Connaissance.h"
#include "Dessin.h"
#include "Question_Courante.h"

namespace kestrane {

class Pic_Choix : public QWidget {
    Q_OBJECT
public:
    // Width of the box lines, in pixels (DrawWidth).
    static constexpr int Epaisseur_Trait = 2;

    // `suffixe_langue` gives the interface language's suffix at the moment a tooltip shows.
    Pic_Choix(const Base_Connaissance& base, Question_Courante& question,
              std::function<std::string()> suffixe_langue, QWidget* parent = nullptr);

    // Shows `dessin` for the question as it stands; the marks drawn so far are forgotten and the
    // selection (Question.Choix) is boxed.
    void Affiche(std::shared_ptr<const Dessin> dessin);
    // Shows the question's states as lines of text, one a cell, in place of a picture.
    void Affiche_Liste();
    bool En_Liste() const { return liste_; }

    // Choix_Case: the selection after a click at `position` (logical pixels) when `selection` was
    // selected; redraws the marks accordingly. A cell past the last state changes nothing.
    int Choix_Case(int selection, QPointF position);
    // The box Trace_Marque draws for `cellule`, in logical pixels; empty for -1. The last column
    // and the last row end Epaisseur_Trait - 1 pixels inside the border.
    QRectF Rectangle_Marque(int cellule) const;
    // Info_Case: the TipText of the state under `position` in the interface language, "" when
    // there is none (also over a cell past the last state).
    QString Info_Case(QPointF position) const;
    // The cell of the keyboard focus box, -1 while the keyboard has not been used.
    int Case_Clavier() const { return clavier_; }

signals:
    // Escape: go back to the portrait without recording.
    void Retour();
    // Enter: confirm the selection as the question bar's OK does.
    void Confirme();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Column and row under a point, from the outer size of the box (floor).
    QPoint Case_Sous(QPointF position) const;
    // Whether the cell at (column, row) stands for one of the character's states.
    bool Case_D_Etat(QPoint cr) const;
    void Deplace_Clavier(int dx, int dy);
    // The grid as shown: the question's, or one column of Nb_Car lines for the list.
    int Lignes_Grille() const;
    int Colonnes_Grille() const;
    // The height the cells share: the whole box for a picture, lines of text for the list.
    double Hauteur_Grille() const;

    const Base_Connaissance& base_;
    Question_Courante& question_;
    std::function<std::string()> suffixe_langue_;
    std::shared_ptr<const Dessin> dessin_;
    std::vector<int> effacees_;  // boxes drawn over in white, in order
    QPointF appui_;              // Choix_X, Choix_Y
    bool appuye_ = false;
    int clavier_ = -1;
    bool liste_ = false;
};

}  // namespace kestrane
