#pragma once
// The name filter above the species tree and the results list. Typing narrows both to the
// species one of whose names holds the text, scientific or common in any language of the base,
// without regard to case or accents (Noms_Especes). It only hides rows: a line of the list keeps
// its position, which is its rank, and the tree keeps its nodes. A node that is not a species
// stays shown while a species under it is, so a text that matches nothing leaves the tree empty.
// When few species are left, the nodes that lead to them are opened.
//
// Only the view on screen is narrowed at each keystroke; the other when it is shown.
//
// Keys: Enter asks to open the first species shown in the view that is visible (Ligne_Choisie for
// the list, Noeud_Choisi for the tree); Escape clears the text, and on an empty field asks to be
// closed (Fermeture_Demandee). The names, the tree and the list must outlive it. User-interface
// thread only.

#include <QLineEdit>

#include <functional>
#include <unordered_set>
#include <vector>

#include "Noms_Especes.h"

class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestrane {

struct Base_Connaissance;

class Filtre_Especes : public QLineEdit {
    Q_OBJECT
  public:
    // At most this many species left open the nodes that lead to them.
    static constexpr int Ouverture_Max = 20;

    explicit Filtre_Especes(Noms_Especes noms, QWidget* parent = nullptr);

    // The species tree, once filled: its species nodes are known by their text, the species name.
    void Suit_Arbre(QTreeWidget& arbre, const Base_Connaissance& base);
    // The results list: `espece_au_rang` gives the species (row of Flore) of each line.
    void Suit_Liste(QTreeView& liste, std::function<int(int)> espece_au_rang);
    // The list was refilled (its hidden lines were shown again): hides them anew.
    void Liste_Remplie();

    const Noms_Especes& Noms() const { return noms_; }
    // Whether the species is shown by the filter as it stands.
    bool Montre(size_t espece) const { return espece < montrees_.size() && montrees_[espece]; }
    // A text is typed and no species has a name holding it.
    bool Aucune() const;

  signals:
    void Ligne_Choisie(int rang);
    void Noeud_Choisi(QTreeWidgetItem* noeud);
    void Fermeture_Demandee();

  protected:
    void keyPressEvent(QKeyEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

  private:
    struct Noeud {
        QTreeWidgetItem* item = nullptr;
        int parent = -1;  // index in noeuds_ (children come before their parent); -1 for a root
        int espece = -1;  // row of Flore for a species node
        bool cache = false;
    };

    void Applique();
    void Applique_Liste();
    void Applique_Arbre();
    void Choisit_Premier();

    Noms_Especes noms_;
    std::vector<bool> montrees_;
    QTreeWidget* arbre_ = nullptr;
    std::vector<Noeud> noeuds_;
    std::unordered_set<const QTreeWidgetItem*> especes_;  // the species nodes
    QTreeView* liste_ = nullptr;
    std::function<int(int)> espece_au_rang_;
    std::vector<char> lignes_cachees_;
    bool liste_a_faire_ = false;  // the list or the tree was hidden when the text or the lines changed
    bool arbre_a_faire_ = false;
};

}  // namespace kestrane
