#pragma once
// What copying the portrait side needs from it, and nothing more: the chooser's box while it is
// on screen, else the portrait's box and the layers it paints. The copy does not see the windows.

#include <QSize>
#include <QString>

#include <optional>

namespace kestrane {

class Robot_Tab;

// A box on screen: its size in logical pixels and its device pixel ratio.
struct Boite_Ecran {
    QSize Taille;
    qreal Ratio = 1.0;
};

class Portrait_Affiche {
  public:
    virtual ~Portrait_Affiche() = default;
    // The chooser's box while it is on screen; nullopt otherwise.
    virtual std::optional<Boite_Ecran> Boite_Choix() const = 0;
    // The portrait's box (an empty size before the portrait exists).
    virtual Boite_Ecran Boite_Portrait() const = 0;
    // The layers the portrait paints, contradiction overlays included.
    virtual const Robot_Tab& Calques_Peints() const = 0;
    // While the chooser lists its states as text (no picture): the question and the states, one a
    // line, as copied; "" otherwise.
    virtual QString Texte_Choix() const = 0;
};

}  // namespace kestrane
