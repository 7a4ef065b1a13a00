#pragma once
// The questions the user can answer now, shown where the state chooser appears: first those the
// search ranks, each with its power among the candidates of the search (by the search's current
// strategy; shown at most 1.00, the most even split), best first; then, after a heading, greyed
// but answerable, those the search would not ask now. A click or Enter on a line asks for that
// character's chooser (Choisie); Escape asks to go back (Retour). The widget only shows the
// lines it is given; Portrait_Questions fills it and places it.

#include <QTreeWidget>

#include <vector>

namespace kestrane {

class Liste_Questions : public QTreeWidget {
    Q_OBJECT
  public:
    struct Ligne {
        int Position = 0;  // the character's row in Objets_Fic
        QString Question;  // in the interface language
        double Pouvoir = 0.0;
    };

    explicit Liste_Questions(QWidget* parent = nullptr);

    // Replaces the lines (in the order given: the ranked ones, then `autres` under the heading
    // `titre_autres`, without power) and the column headings; the first question becomes current.
    void Remplit(const std::vector<Ligne>& lignes, const std::vector<Ligne>& autres,
                 const QString& titre_question, const QString& titre_pouvoir, const QString& titre_autres);
    // The character of line `ligne`, -1 out of range or on the heading.
    int Position(int ligne) const;

  signals:
    void Choisie(int position);
    void Retour();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kestrane
