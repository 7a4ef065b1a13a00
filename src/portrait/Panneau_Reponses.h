#pragma once
// The answers panel: the characters answered so far, in the order given, each with its question,
// its chosen state(s) and the state's picture small beside it (Vignettes_Etats), and a button
// that takes the answer back. While nothing is answered it shows a one-line hint instead.
//
// Mouse: a click on an answer asks to open its chooser, a click on its button asks to take it
// back. Keyboard: the list takes the focus (Tab), the arrows move between answers, Enter or Space
// asks to open the current one, Delete or Backspace to take it back. The panel only asks; the
// window does the work and then shows the new answers with Affiche. A state's picture that was not
// drawn before is drawn just after its row shows (reading and cutting a picture takes longer than
// the rest of an answer). The base and the pictures must outlive it. User-interface thread only.

#include <QPointer>
#include <QWidget>

#include <cstddef>
#include <vector>

#include "Base_Connaissance.h"
#include "Reponses_Donnees.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QToolButton;

namespace kestrane {

class Vignettes_Etats;

class Panneau_Reponses : public QWidget {
    Q_OBJECT
  public:
    Panneau_Reponses(const Base_Connaissance& base, Vignettes_Etats& vignettes, QWidget* parent = nullptr);

    // The heading, the hint and the tooltips in language `langue` (0 English, 1 Spanish, 2 French).
    void Traduit(int langue);
    // Shows these answers in this order (the hint when there are none). The current answer stays
    // current while it is shown.
    void Affiche(const std::vector<Reponse_Decrite>& reponses);

    const std::vector<Reponse_Decrite>& Reponses() const { return reponses_; }
    QListWidget* Liste() const { return liste_; }
    QLabel* Indication() const { return indication_; }
    // The take-back button of the answer at `rang`; null when there is none.
    QToolButton* Bouton_Retirer(int rang) const;
    // The width the panel needs, in logical pixels.
    int Largeur_Souhaitee() const;

  signals:
    void Ouverture_Demandee(size_t objet);
    void Retrait_Demande(size_t objet);

  protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

  private:
    QWidget* Ligne(const Reponse_Decrite& reponse);
    void Ajuste_Hauteur(QListWidgetItem& item);
    void Ajuste_Hauteurs();
    void Dessine_Vignettes();
    // The character of the current answer, or -1.
    long long Objet_Courant() const;

    const Base_Connaissance& base_;
    Vignettes_Etats& vignettes_;
    QLabel* titre_ = nullptr;
    QListWidget* liste_ = nullptr;
    QLabel* indication_ = nullptr;
    std::vector<Reponse_Decrite> reponses_;
    struct A_Dessiner {
        QPointer<QLabel> image;
        size_t objet;
        int cellule;
    };
    std::vector<A_Dessiner> a_dessiner_;  // pictures of new rows, drawn after the rows are shown
    QString texte_changer_;
    QString texte_retirer_;
};

}  // namespace kestrane
