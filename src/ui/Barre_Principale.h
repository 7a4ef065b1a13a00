#pragma once
// The main toolbar: 22 positions, some carrying a command key ("New", "Open", "Save", "Copy",
// "Print", "Help", "Arriere", "Avant", "Stop", "Contra"), the others separators or empty places.
// Positions 13 to 22 are the document group that the views show and hide: 13 to 18 in both
// document views, 19 and 20 only for web documents, 21 and 22 ("Contra" and the one after it)
// only by the results list.

#include <QToolBar>

#include <array>

namespace kestrane {

class Barre_Principale : public QToolBar {
    Q_OBJECT
public:
    static constexpr int kPositions = 22;

    explicit Barre_Principale(QWidget* parent = nullptr);

    // The action at position 1 .. 22.
    QAction* Position(int position) const { return positions_.at(static_cast<size_t>(position - 1)); }
    // The first action whose key equals `cle` exactly (case-sensitive); nullptr when none.
    QAction* Bouton(const QString& cle) const;
    void Active_Bouton(const QString& cle);
    void Desactive_Bouton(const QString& cle);
    // Shows or hides positions premiere .. derniere.
    void Affiche_Positions(int premiere, int derniere, bool visible);

signals:
    // A keyed button was clicked.
    void Commande(const QString& cle);

private:
    std::array<QAction*, kPositions> positions_{};
};

}  // namespace kestrane
