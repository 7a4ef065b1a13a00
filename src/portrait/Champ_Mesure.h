#pragma once
// The chooser of a measured character: a field for the value, its unit beside it and the
// tolerance below, covering the chooser's picture or list (the widget it is given, which it
// follows in size). Enter asks to confirm (Confirme), Escape to go back (Retour); OK and Back of
// the question bar do the same.

#include <QWidget>

#include <optional>

class QLabel;
class QLineEdit;

namespace kestrane {

class Champ_Mesure : public QWidget {
    Q_OBJECT
public:
    explicit Champ_Mesure(QWidget* couvert);

    // Opens on a question: its text, the unit, the tolerance (percent), the hint and the value
    // already given (empty when none). The field takes the keyboard.
    void Ouvre(const QString& question, const QString& unite, double tolerance, const QString& indication,
               std::optional<double> valeur);
    // The number typed (a decimal comma as good as a point); nullopt when the field holds no number.
    std::optional<double> Valeur() const;
    bool Vide() const;
    QLineEdit* Saisie() const { return saisie_; }

signals:
    void Confirme();
    void Retour();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;

private:
    QLabel* question_;
    QLineEdit* saisie_;
    QLabel* unite_;
    QLabel* tolerance_;
    QLabel* indication_;
};

// A number as typed: "34", "2.5", "2,5", blanks around; nullopt for anything else.
std::optional<double> Lit_Nombre_Saisi(const QString& texte);

}  // namespace kestrane
