#pragma once
// A toolbar built from a table of buttons (But_Deter or But_Quest): for n buttons, 2n items
// numbered 1 .. 2n, button k at item 2k - 1 and a separator at every even item. A button number
// the table lacks leaves its item empty; the other items keep their numbers. Every button takes
// the keyboard focus by Tab and is pressed by Space or Enter.

#include <QIcon>
#include <QSize>
#include <QString>
#include <QToolBar>

#include <vector>

class QAction;
class QToolButton;

namespace kestrane {

class Barre_Boutons : public QToolBar {
    Q_OBJECT
public:
    struct Bouton {
        int Numero = 0;      // 1 .. n
        QString Caption;
        QString TipText;
        QString Tag;         // the determination buttons' Key
        QIcon Image;
    };

    explicit Barre_Boutons(const QString& nom, QWidget* parent = nullptr);

    // Replaces every item with those of `boutons` (any order; numbers outside 1 .. n are ignored).
    void Construit(int n, const std::vector<Bouton>& boutons);

    int Nb_Elements() const { return static_cast<int>(elements_.size()); }
    // The button at item `index`; null for a separator, an empty item or an index out of range.
    QToolButton* Bouton_A(int index) const;
    // Shows or hides item `index`; the bar then takes the size its visible items need (keeping
    // its top-left corner) and says so, for its host to place it again.
    void Montre_Element(int index, bool visible);
    bool Element_Visible(int index) const;
    // The size the bar needs for its buttons, with a margin of 100 twips.
    QSize Taille_Ideale() const;

signals:
    // The button at item `index` was pressed.
    void Clique(int index, const QString& tag);
    // An item was shown or hidden and the bar took its new size.
    void Taille_Changee();

  private:
    struct Element {
        QAction* Action = nullptr;
        QToolButton* Bouton = nullptr;
    };
    std::vector<Element> elements_;  // item i at elements_[i - 1]
};

}  // namespace kestrane
