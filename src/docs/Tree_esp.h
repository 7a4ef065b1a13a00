#pragma once
// The species tree: three ways to a species page, by family, by scientific name and by common
// name in each language of the knowledge base. Filled once (Remplit_Arbre) and never changed
// afterwards, except for the open/closed book image of a node as it expands and collapses.
//
// Every node has a key unique over the whole tree, a text, an image key ("livre_ferme",
// "livre_ouvert", "page") and, for most kinds, a tag; a click on a node whose tag begins with
// "Esp" or "Csp" emits Espece_Choisie with the species it stands for. Nodes marked sorted keep
// their children in order of text, without regard to case: the common names of a language in
// that language's alphabetical order when the base says which language it is (Textes_Base),
// every other node in English order.

#include <QCollator>
#include <QHash>
#include <QIcon>
#include <QString>
#include <QTreeWidget>

#include <optional>

namespace kestrane {

struct Base_Connaissance;

// The species a node opens, as the click computes it from the node (family in proper case).
struct Choix_Espece {
    QString Espece;
    QString Code;
    QString Famille;
};

class Tree_esp : public QTreeWidget {
    Q_OBJECT
  public:
    explicit Tree_esp(QWidget* parent = nullptr);

    // Builds the tree from the Flore rows (in index order), the languages of Communs_Langues and
    // the stored query "Vernaculaire_" + language of each; root captions in `langue`. A key that
    // already exists is not added again: the rows meant for it go under the existing node. A
    // language whose query cannot be opened gets an empty node.
    void Remplit_Arbre(const Base_Connaissance& base, int langue);

    // The node with that key, or nullptr.
    QTreeWidgetItem* Noeud(const QString& cle) const;

    static QString Cle(const QTreeWidgetItem& noeud);
    static QString Etiquette(const QTreeWidgetItem& noeud);
    static QString Cle_Image(const QTreeWidgetItem& noeud);

    // What a click on the node opens; nullopt for roots, families, languages and common names.
    static std::optional<Choix_Espece> Espece_Du_Noeud(const QTreeWidgetItem& noeud);

  signals:
    // A species node was clicked.
    void Espece_Choisie(const kestrane::Choix_Espece& choix);

  private:
    QTreeWidgetItem* Ajoute(const QString& cle_parent, const QString& cle, const QString& texte,
                            const QString& image);
    void Change_Image(QTreeWidgetItem& noeud, const QString& image);
    // Marks the node sorted and sorts its children in the order of `locale` ("" for English).
    void Trie_Enfants(QTreeWidgetItem& noeud, const QString& locale = {});
    void Noeud_Clique(QTreeWidgetItem* noeud);
    // Texts in the alphabetical order of `locale`: a language's common names in their own
    // (Spanish "ñ" after "n"), every other node in English ("").
    int Compare_Textes(const QString& a, const QString& b, const QString& locale);

    QHash<QString, QTreeWidgetItem*> par_cle_;
    QHash<QString, QIcon> Node_Images;
    QHash<QString, QCollator> collations_;  // by locale name
};

}  // namespace kestrane
