#pragma once
// The portrait and its questions: the picture boxes Robot, Small_Robot and Pic_Choix, the
// toolbars Barre_Deter and Barre_Question, the layers they paint (Robot_Tab), and what a click on
// any of them does to the current identification.
//
// The main window creates one after its Identification_Courante and before that object's first
// refresh, forwards its Chargeur_Pieces calls to Calques(), places the five widgets (they are
// children of `parent`), builds the bars with Cree_Barre_Deter and Cree_Barre_Question, and calls
// Calques().Demarrage_Termine() once loaded. Its Vue_Identification must run Montre_Portrait.
// Everything it is given must outlive it. User-interface thread only.

#include <QObject>
#include <QPointF>
#include <QPointer>

#include <optional>
#include <string>
#include <vector>

#include "Barre_Boutons.h"
#include "Base_Connaissance.h"
#include "Champ_Mesure.h"
#include "Contradictions_Espece.h"
#include "Liste_Questions.h"
#include "Pic_Choix.h"
#include "Portrait_Affiche.h"
#include "Robot.h"
#include "Robot_Tab.h"
#include "Small_Robot.h"

class QWidget;

namespace kestrane {

class Dialogues;
class Hote_Portrait;
class Identification_Courante;
struct Question_Classee;
struct Reglages;

class Portrait_Questions : public QObject, public Portrait_Affiche {
    Q_OBJECT
public:
    // `reglages` is read at every use (Rep_Descripteurs, Rep_Data, Curseur_Dynamique), so that
    // the options dialog's changes apply at once.
    Portrait_Questions(const Base_Connaissance& base, Identification_Courante& identification, const Reglages& reglages,
                       Hote_Portrait& hote, Dialogues& dialogues, QWidget* parent);
    ~Portrait_Questions() override;

    Robot_Tab& Calques() { return *calques_; }
    std::optional<Boite_Ecran> Boite_Choix() const override;
    Boite_Ecran Boite_Portrait() const override;
    const Robot_Tab& Calques_Peints() const override { return *calques_; }
    QString Texte_Choix() const override;
    Robot* Widget_Robot() const { return robot_; }
    Small_Robot* Widget_Small_Robot() const { return small_robot_; }
    Pic_Choix* Widget_Pic_Choix() const { return pic_choix_; }
    Barre_Boutons* Barre_Deter() const { return barre_deter_; }
    Barre_Boutons* Barre_Question() const { return barre_question_; }
    // The ranked questions; the window gives it the chooser's rectangle whenever it lays out.
    Liste_Questions* Widget_Questions() const { return questions_; }

    // The bars from But_Deter and But_Quest, pictures Rep_Data + File, captions and tooltips in
    // the interface language of the moment; they keep that language until they are built again at
    // the next start (Recharge_Barre too keeps it).
    void Cree_Barre_Deter();
    void Cree_Barre_Question();
    // Rebuilds the determination bar with its usual pictures.
    void Recharge_Barre();

    // The determination bar's "Search": proposes the most discriminant character and opens its
    // chooser, with the engine's messages (and its retry question after skipped characters).
    void Maitre_Discriminant();
    // The ranked questions in place of the portrait, with the question bar's Back only; choosing
    // a line opens that character's chooser as Search does. Search's messages when there is only
    // one species at the top or nothing left to ask. Without a portrait the list is already the
    // identification view's: that view, with the list focused.
    void Montre_Questions();
    // A base without portrait pieces (Nb_Robot 0, as an imported one): the identification view
    // shows the ranked questions where the portrait stands, beside the determination bar.
    bool Sans_Portrait() const { return base_.Nb_Robot <= 0; }
    // Ranks the questions again when they stand in the portrait's place (after answers changed
    // otherwise than through a chooser, or the language).
    void Actualise_Questions();
    // Hides the ranked questions and gives the question bar its confirm button back.
    void Cache_Questions();

    // The contradiction display: replaces earlier marks with the overlays and the button icons of
    // `contradictions`, clears Occupe and shows the identification view.
    void Affiche_Contradictions(const Contradictions_Espece& contradictions);
    // Removes the overlays and rebuilds the bar when there are any (the next confirmed answer,
    // New, the results view). Returns whether there were.
    bool Retire_Contradictions();

    // The widgets' part of the identification view: Robot and Barre_Deter shown, Pic_Choix and
    // Barre_Question and the ranked questions hidden, Occupe cleared. Without a portrait the
    // ranked questions, ranked afresh, take Robot's place.
    void Montre_Portrait();

    // Occupe: a portrait click is being handled or the chooser is opening; clicks and hovers on
    // the portrait are ignored meanwhile.
    bool Occupe() const { return occupe_; }
    void Fixe_Occupe(bool occupe) { occupe_ = occupe; }

    // The object under `position` (logical pixels of Robot), as a click names it: a click zone,
    // else the nearest palette colour of the composed portrait. Null when there is none.
    const Objet_Fic* Objet_Au_Point(QPointF position) const;

    // Ouvre_Objet: fills the question from `objet`, preselects its recorded answer and opens the
    // chooser with the question bar (its last button hidden).
    void Ouvre_Objet(const Objet_Fic& objet);
    // Affiche_Choix: shows the question's state picture in place of the portrait. False, with
    // message 1077, when the picture cannot be read (the portrait stays and Occupe stays set).
    // An empty popup (no picture of the states) shows the list of their texts; a measured
    // character shows the field for its value over them.
    bool Affiche_Choix(const std::string& popup);

    // The bars' clicks, by item index (also what the buttons' signals run).
    void Clic_Barre_Deter(int index, const QString& tag);
    void Clic_Barre_Question(int index);
    // Takes back the answer to `objet` exactly as confirming no state in its chooser does
    // (dependants cleared, results refreshed, contradiction marks removed, back to the portrait).
    void Retire_Reponse(const Objet_Fic& objet);

signals:
    // Around the confirmation of the question bar: before the answers change and after the
    // refresh, so that the window can keep their history.
    void Reponses_Vont_Changer();
    void Reponses_Changees();

private:
    void Appui_Robot(Qt::MouseButton bouton, QPointF position);
    void Clic_Robot();
    void Survol_Robot(QPointF position);
    const Objet_Fic* Objet_Par_Couleur(QPoint pixel) const;
    bool Propose_Question();
    void Ouvre_Question_Classee(int position);
    void Remplit_Questions(const std::vector<Question_Classee>& classees);
    void Fin_Question();
    // The measure of the question's character; null when it is not measured.
    const Mesure_Objet* Mesure_Question() const;
    // OK with the field of a measured character: its value recorded, or the answer taken back when
    // it is empty. False, saying why in the status bar, when it holds no number.
    bool Valide_Mesure();
    // The chooser, once filled, in the portrait's place with the question in the status bar.
    void Montre_Choix();
    // Without a portrait, the status bar says what to do next: pick a question, or see the page of
    // the one species that fits best.
    void Indique_Suite();
    void Construit_Barre_Deter(const std::vector<Image_Bouton>* images);
    // The character's question in the interface language of the moment.
    QString Question_Affichee(const Objet_Fic& objet) const;
    QString Titre_Application() const;

    const Base_Connaissance& base_;
    Identification_Courante& identification_;
    const Reglages& reglages_;
    Hote_Portrait& hote_;
    Dialogues& dialogues_;

    Robot_Tab* calques_;
    QPointer<Robot> robot_;
    QPointer<Small_Robot> small_robot_;
    QPointer<Pic_Choix> pic_choix_;
    QPointer<Barre_Boutons> barre_deter_;
    QPointer<Barre_Boutons> barre_question_;
    QPointer<Liste_Questions> questions_;
    QPointer<Champ_Mesure> mesure_;  // over the chooser, for a measured character
    bool mesure_ouverte_ = false;    // the chooser asks the question's value

    std::string suffixe_barres_ = "en";  // language of the bars' captions and tooltips
    bool occupe_ = false;
    int bouton_appuye_ = -1;  // Bouton_Appuye
    int32_t clic_x_ = 0;      // Clic_X, Clic_Y: reference units
    int32_t clic_y_ = 0;
    QPoint pixel_;            // Pixel_X, Pixel_Y
};

}  // namespace kestrane
