#pragma once
// The ranked questions, shown where the state chooser appears: one line per character still
// allowed and unanswered, its question and its power among the candidates of the search (by the
// search's current strategy), best first, so that the user can pick one he can answer. A click
// or Enter on a line asks for that character's chooser (Choisie); Escape asks to go back (Retour).
// The widget only shows the lines it is given; Portrait_Questions fills it and places it.

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

    // Replaces the lines (in the order given) and the column headings; the first line becomes
    // current.
    void Remplit(const std::vector<Ligne>& lignes, const QString& titre_question,
                 const QString& titre_pouvoir);
    // The character of line `ligne`, -1 out of range.
    int Position(int ligne) const;

  signals:
    void Choisie(int position);
    void Retour();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace kestrane
