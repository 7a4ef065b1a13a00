#include "Portrait_Questions.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImageReader>
#include <QLineEdit>
#include <QPixmap>
#include <QToolButton>

#include <algorithm>

#include "Arrondi_Pair.h"
#include "Barre_Boutons.h"
#include "Chemins_Fichiers.h"
#include "Dialogues.h"
#include "Hote_Portrait.h"
#include "Identification_Courante.h"
#include "Pic_Choix.h"
#include "Recherche_Objet.h"
#include "Reglages.h"
#include "Robot.h"
#include "Robot_Tab.h"
#include "Small_Robot.h"
#include "Table_Chaines.h"
#include "Textes_Ajoutes.h"
#include "Texte_Simple.h"

namespace kestrane {

namespace {

// The points where the program lets pending events run. User input stays queued, so that a
// handler is never re-entered by the user's next click.
void Laisse_Passer_Evenements() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

QIcon Icone_Fichier(const std::string& chemin) {
    QImageReader lecteur(QString::fromStdString(Trouve_Fichier(chemin)));
    const QImage image = lecteur.read();
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

QString Q_Texte(std::string_view texte) {
    return QString::fromUtf8(texte.data(), static_cast<qsizetype>(texte.size()));
}

std::optional<double> Valeur_Donnee(const std::optional<Valeur_Mesuree>& v) {
    return v ? std::optional<double>(v->Valeur) : std::nullopt;
}

QPoint Pixel_Arrondi(QPointF position) {
    return {Arrondi_Pair<int>(position.x()), Arrondi_Pair<int>(position.y())};
}

}  // namespace

Portrait_Questions::Portrait_Questions(const Base_Connaissance& base, Identification_Courante& identification,
                                       const Reglages& reglages, Hote_Portrait& hote, Dialogues& dialogues,
                                       QWidget* parent)
    : QObject(parent),
      base_(base),
      identification_(identification),
      reglages_(reglages),
      hote_(hote),
      dialogues_(dialogues),
      calques_(new Robot_Tab(base, hote, dialogues, this)),
      robot_(new Robot(*calques_, parent)),
      small_robot_(new Small_Robot(*calques_, parent)),
      pic_choix_(new Pic_Choix(
          base, identification.Question, [this] { return std::string(Suffixe_Interface(hote_.Langue())); },
          parent)),
      barre_deter_(new Barre_Boutons(QStringLiteral("Barre_Deter"), parent)),
      barre_question_(new Barre_Boutons(QStringLiteral("Barre_Question"), parent)),
      questions_(new Liste_Questions(parent)),
      mesure_(new Champ_Mesure(pic_choix_)) {
    small_robot_->hide();
    pic_choix_->hide();
    barre_question_->hide();
    questions_->hide();
    connect(questions_, &Liste_Questions::Choisie, this, &Portrait_Questions::Ouvre_Question_Classee);
    connect(questions_, &Liste_Questions::Retour, this, [this] {
        if (!Sans_Portrait())
            Clic_Barre_Question(0);
    });
    connect(robot_, &Robot::Appui, this, &Portrait_Questions::Appui_Robot);
    connect(robot_, &Robot::Clic, this, &Portrait_Questions::Clic_Robot);
    connect(robot_, &Robot::Survol, this, &Portrait_Questions::Survol_Robot);
    connect(pic_choix_, &Pic_Choix::Retour, this, [this] { Clic_Barre_Question(0); });
    connect(pic_choix_, &Pic_Choix::Confirme, this, [this] { Clic_Barre_Question(1); });
    connect(mesure_, &Champ_Mesure::Retour, this, [this] { Clic_Barre_Question(0); });
    connect(mesure_, &Champ_Mesure::Confirme, this, [this] { Clic_Barre_Question(1); });
    connect(barre_deter_, &Barre_Boutons::Clique, this, &Portrait_Questions::Clic_Barre_Deter);
    connect(barre_question_, &Barre_Boutons::Clique, this, [this](int index, const QString&) { Clic_Barre_Question(index); });
}

Portrait_Questions::~Portrait_Questions() {
    // The widgets paint the layers this object owns: they go first, unless their parent already
    // took them.
    delete robot_.data();
    delete small_robot_.data();
    delete pic_choix_.data();
    delete barre_deter_.data();
    delete barre_question_.data();
    delete questions_.data();
}

QString Portrait_Questions::Question_Affichee(const Objet_Fic& objet) const {
    return QString::fromStdString(base_.Textes.Question(objet, Suffixe_Interface(hote_.Langue())));
}

QString Portrait_Questions::Titre_Application() const {
    return QString::fromStdString(Chaine_Ou_Anglais(1050, hote_.Langue()));
}

// --- Bars ------------------------------------------------------------------------------------

void Portrait_Questions::Construit_Barre_Deter(const std::vector<Image_Bouton>* images) {
    std::vector<Barre_Boutons::Bouton> boutons;
    for (const Bouton_Barre& b : base_.But_Deter) {
        if (b.Numero < 1 || b.Numero > base_.Nb_But_Deter) continue;
        std::string image = reglages_.Rep_Data + b.File;
        if (images != nullptr) {
            for (const Image_Bouton& i : *images) {
                if (i.Numero == b.Numero) image = i.Image;
            }
        }
        boutons.push_back({b.Numero, QString::fromStdString(base_.Textes.Bouton(Caption_Deter, b, suffixe_barres_)),
                           QString::fromStdString(base_.Textes.Bouton(TipText_Deter, b, suffixe_barres_)),
                           QString::fromStdString(b.Key), Icone_Fichier(image)});
    }
    barre_deter_->Construit(base_.Nb_But_Deter, boutons);
}

void Portrait_Questions::Cree_Barre_Deter() {
    // The bars keep the language they were built in until the next start, as the menus do.
    suffixe_barres_ = Suffixe_Interface(hote_.Langue());
    Construit_Barre_Deter(nullptr);
}

void Portrait_Questions::Recharge_Barre() { Construit_Barre_Deter(nullptr); }

void Portrait_Questions::Cree_Barre_Question() {
    const std::string_view suffixe = Suffixe_Interface(hote_.Langue());
    std::vector<Barre_Boutons::Bouton> boutons;
    for (const Bouton_Barre& b : base_.But_Quest) {
        if (b.Numero < 1 || b.Numero > base_.Nb_But_Quest) continue;
        boutons.push_back({b.Numero, QString::fromStdString(base_.Textes.Bouton(Caption_Quest, b, suffixe)),
                           QString::fromStdString(base_.Textes.Bouton(TipText_Quest, b, suffixe)), QString(),
                           Icone_Fichier(reglages_.Rep_Data + b.File)});
    }
    barre_question_->Construit(base_.Nb_But_Quest, boutons);
}

// --- Views -----------------------------------------------------------------------------------

void Portrait_Questions::Montre_Portrait() {
    Cache_Questions();
    small_robot_->hide();
    pic_choix_->hide();
    barre_question_->hide();
    barre_deter_->show();
    if (Sans_Portrait()) {
        // The ranked questions stand where the portrait would.
        robot_->hide();
        Remplit_Questions(identification_.Questions_Classees());
        questions_->show();
        questions_->raise();
        // The keyboard goes on from the list, where the next question is picked.
        questions_->setFocus(Qt::OtherFocusReason);
        Indique_Suite();
    } else {
        robot_->show();
    }
    occupe_ = false;
}

void Portrait_Questions::Fin_Question() {
    mesure_ouverte_ = false;
    hote_.Texte_Statut(QString());
    hote_.Sablier(false);
    hote_.Vue_Identification();
}

// --- Portrait --------------------------------------------------------------------------------

void Portrait_Questions::Appui_Robot(Qt::MouseButton bouton, QPointF position) {
    if (bouton != Qt::LeftButton) return;
    pixel_ = Pixel_Arrondi(position);
    bouton_appuye_ = 1;
    clic_x_ = Reference_X(position.x(), robot_->width());
    clic_y_ = Reference_Y(position.y(), robot_->height());
}

const Objet_Fic* Portrait_Questions::Objet_Par_Couleur(QPoint pixel) const {
    const int32_t couleur = calques_->Couleur(robot_->size(), robot_->devicePixelRatioF(), pixel, true);
    return base_.Trouve_Objet(Couleur_Proche(base_, couleur));
}

const Objet_Fic* Portrait_Questions::Objet_Au_Point(QPointF position) const {
    const Zone_Trouvee zone =
        Cherche_Zone(base_, identification_.Etats_Choisis(), identification_.Etat_Cadre(),
                     Reference_X(position.x(), robot_->width()), Reference_Y(position.y(), robot_->height()));
    if (zone.Objet != nullptr) return zone.Objet;
    return Objet_Par_Couleur(Pixel_Arrondi(position));
}

void Portrait_Questions::Clic_Robot() {
    if (bouton_appuye_ != 1) {
        bouton_appuye_ = -1;
        return;
    }
    if (occupe_) return;
    occupe_ = true;
    const Zone_Trouvee zone = Cherche_Zone(base_, identification_.Etats_Choisis(), identification_.Etat_Cadre(),
                                           clic_x_, clic_y_);
    const Objet_Fic* objet = zone.Objet != nullptr ? zone.Objet : Objet_Par_Couleur(pixel_);
    bouton_appuye_ = -1;
    if (objet == nullptr) {
        // Nothing there: the portrait stays as it was (and so does the view mode).
        occupe_ = false;
        return;
    }
    robot_->setCursor(Qt::WaitCursor);
    Laisse_Passer_Evenements();
    Ouvre_Objet(*objet);
}

void Portrait_Questions::Survol_Robot(QPointF position) {
    if (occupe_ || !reglages_.Curseur_Dynamique) return;
    const Zone_Trouvee zone =
        Cherche_Zone(base_, identification_.Etats_Choisis(), identification_.Etat_Cadre(),
                     Reference_X(position.x(), robot_->width()), Reference_Y(position.y(), robot_->height()));
    const Objet_Fic* objet = zone.Objet != nullptr ? zone.Objet : Objet_Par_Couleur(Pixel_Arrondi(position));
    if (objet != nullptr) {
        robot_->setCursor(Qt::PointingHandCursor);
        robot_->setToolTip(Infobulle_Simple(Question_Affichee(*objet)));
    } else {
        robot_->unsetCursor();
        robot_->setToolTip(QString());
    }
}

// --- Opening a question ----------------------------------------------------------------------

namespace {

// The last recorded state of the question's character, relative to Index_Car, or -1.
int Choix_Enregistre(const Question_Courante& q, const std::vector<int16_t>& etats) {
    int choix = -1;
    for (int k = q.Index_Car; k < q.Index_Car + q.Nb_Car; ++k) {
        if (k >= 0 && static_cast<size_t>(k) < etats.size() && etats[static_cast<size_t>(k)] != 0) {
            choix = k - q.Index_Car;
        }
    }
    return choix;
}

}  // namespace

void Portrait_Questions::Ouvre_Objet(const Objet_Fic& objet) {
    Question_Courante& q = identification_.Question;
    q = Question_Courante::De_Objet(objet);
    q.Choix = Choix_Enregistre(q, identification_.Etats_Choisis());
    hote_.Mode_Affichage(2);
    barre_deter_->hide();
    Laisse_Passer_Evenements();
    Affiche_Choix(q.Popup);
    barre_question_->Montre_Element(2 * base_.Nb_But_Quest - 1, false);
    barre_question_->show();
}

const Mesure_Objet* Portrait_Questions::Mesure_Question() const {
    const Objet_Fic* objet = base_.Trouve_Objet(identification_.Question.Objet);
    return objet == nullptr ? nullptr : base_.Mesure_De(static_cast<size_t>(objet - base_.Objets.data()));
}

bool Portrait_Questions::Affiche_Choix(const std::string& popup) {
    mesure_ouverte_ = false;
    mesure_->hide();
    if (const Mesure_Objet* mesure = Mesure_Question()) {
        // The value typed, over the list of the classes it chooses.
        pic_choix_->Affiche_Liste();
        Montre_Choix();
        const Objet_Fic* objet = base_.Trouve_Objet(identification_.Question.Objet);
        mesure_->Ouvre(Question_Affichee(*objet), QString::fromStdString(mesure->Unite), reglages_.Tolerance_Mesure,
                       Q_Texte(Chaine_Ajoutee(Texte_Ajoute::Mesure_Indication, hote_.Langue())),
                       Valeur_Donnee(identification_.Valeur_De(static_cast<size_t>(objet - base_.Objets.data()))));
        mesure_ouverte_ = true;
        return true;
    }
    if (popup.empty()) {
        // No picture of the states: the list of their texts.
        pic_choix_->Affiche_Liste();
        Montre_Choix();
        return true;
    }
    hote_.Sablier(true);
    robot_->setCursor(Qt::WaitCursor);
    auto dessin = Dessin::Charge(reglages_.Rep_Descripteurs + popup);
    pic_choix_->unsetCursor();
    hote_.Sablier(false);
    robot_->unsetCursor();
    if (!dessin) {
        const int langue = hote_.Langue();
        dialogues_.Message(hote_.Fenetre(), QString::fromStdString(Chaine_Ou_Anglais(1077, langue)), Boutons::OK,
                           Icone::Aucune, Titre_Application());
        return false;
    }
    pic_choix_->Affiche(dessin.value());
    Montre_Choix();
    return true;
}

void Portrait_Questions::Montre_Choix() {
    robot_->hide();
    // Search, Next and the answers panel open the chooser too: the ranked questions never stay
    // over it.
    Cache_Questions();
    pic_choix_->show();
    pic_choix_->raise();
    const Question_Courante& q = identification_.Question;
    const Objet_Fic* objet = base_.Trouve_Objet(q.Objet);
    hote_.Texte_Statut(objet != nullptr ? Question_Affichee(*objet) : QString::fromStdString(q.TipText));
    pic_choix_->setCursor(Qt::PointingHandCursor);
    pic_choix_->setFocus(Qt::OtherFocusReason);
    occupe_ = false;
}

bool Portrait_Questions::Propose_Question() {
    const Question_Courante& q = identification_.Question;
    const Objet_Fic* objet = base_.Trouve_Objet(q.Objet);
    hote_.Texte_Statut(objet != nullptr ? Question_Affichee(*objet) : QString::fromStdString(q.TipText));
    hote_.Mode_Affichage(2);
    return Affiche_Choix(q.Popup);
}

void Portrait_Questions::Maitre_Discriminant() {
    if (identification_.Nb_Esp_Max() == 1) {
        identification_.Maitre_Discriminant();  // says there is only one species
        return;
    }
    hote_.Sablier(true);
    barre_deter_->hide();
    switch (identification_.Cherche_Discriminant()) {
    case Issue_Recherche::Proposee:
        Propose_Question();
        barre_question_->Montre_Element(2 * base_.Nb_But_Quest - 1, true);
        Laisse_Passer_Evenements();
        barre_question_->show();
        break;
    case Issue_Recherche::Refusee:
        hote_.Texte_Statut(QString());
        [[fallthrough]];
    case Issue_Recherche::Aucune:
    case Issue_Recherche::Une_Seule_Espece:
        // Nothing to ask: back to the portrait with its bar.
        hote_.Sablier(false);
        hote_.Vue_Identification();
        break;
    }
}

// --- Ranked questions ------------------------------------------------------------------------

void Portrait_Questions::Remplit_Questions(const std::vector<Question_Classee>& classees) {
    const int langue = hote_.Langue();
    const auto ligne = [this](int position, double pouvoir) {
        return Liste_Questions::Ligne{position, Question_Affichee(base_.Objets[static_cast<size_t>(position)]),
                                      pouvoir};
    };
    std::vector<Liste_Questions::Ligne> lignes;
    for (const Question_Classee& q : classees)
        lignes.push_back(ligne(q.Position, q.Pouvoir));
    // The others by their question, where a user looks for the one he can answer.
    std::vector<Liste_Questions::Ligne> autres;
    for (const int position : identification_.Questions_Hors_Classement(classees))
        autres.push_back(ligne(position, 0.0));
    std::stable_sort(autres.begin(), autres.end(), [](const auto& a, const auto& b) {
        return QString::localeAwareCompare(a.Question, b.Question) < 0;
    });
    const auto texte = [langue](Texte_Ajoute quoi) {
        return QString::fromUtf8(Chaine_Ajoutee(quoi, langue));
    };
    questions_->Remplit(lignes, autres, texte(Texte_Ajoute::Questions_Question),
                        texte(Texte_Ajoute::Questions_Pouvoir), texte(Texte_Ajoute::Questions_Autres));
}

void Portrait_Questions::Actualise_Questions() {
    if (Sans_Portrait() && questions_->isVisible()) {
        Remplit_Questions(identification_.Questions_Classees());
        Indique_Suite();
    }
}

void Portrait_Questions::Indique_Suite() {
    const int langue = hote_.Langue();
    const auto& classement = identification_.Resultats().Classement_Esp.Espece;
    const bool repondu = std::any_of(identification_.Etats_Choisis().begin(), identification_.Etats_Choisis().end(),
                                     [](int16_t e) { return e != 0; });
    if (repondu && identification_.Nb_Esp_Max() == 1 && !classement.empty() && classement.front() >= 0 &&
        static_cast<size_t>(classement.front()) < base_.Nom_Esp.size()) {
        hote_.Texte_Statut(QString::fromUtf8(Chaine_Ajoutee(Texte_Ajoute::Statut_Une_Espece, langue))
                               .arg(QString::fromStdString(base_.Nom_Esp[static_cast<size_t>(classement.front())])));
    } else {
        hote_.Texte_Statut(QString::fromUtf8(Chaine_Ajoutee(Texte_Ajoute::Statut_Liste, langue)));
    }
}

void Portrait_Questions::Montre_Questions() {
    if (identification_.Nb_Esp_Max() == 1) {
        identification_.Maitre_Discriminant();  // says there is only one species
        return;
    }
    const std::vector<Question_Classee> classees = identification_.Questions_Classees();
    if (classees.empty() && identification_.Questions_Hors_Classement(classees).empty()) {
        dialogues_.Message(hote_.Fenetre(), QString::fromStdString(Chaine_Ou_Anglais(1075, hote_.Langue())),
                           Boutons::OK, Icone::Aucune, hote_.Titre_Messages());
        return;
    }
    if (Sans_Portrait()) {
        // The list is the identification view's own: back there, into the list.
        hote_.Vue_Identification();
        questions_->setFocus(Qt::OtherFocusReason);
        return;
    }
    Remplit_Questions(classees);
    barre_deter_->hide();
    robot_->hide();
    pic_choix_->hide();
    hote_.Mode_Affichage(2);
    hote_.Texte_Statut(QString::fromUtf8(Chaine_Ajoutee(Texte_Ajoute::Questions_Indication, hote_.Langue())));
    questions_->show();
    questions_->raise();
    questions_->setFocus(Qt::OtherFocusReason);
    // Only Back: nothing is picked yet, and Next belongs to the search.
    barre_question_->Montre_Element(1, false);
    barre_question_->Montre_Element(2 * base_.Nb_But_Quest - 1, false);
    barre_question_->show();
    occupe_ = false;
}

void Portrait_Questions::Cache_Questions() {
    questions_->hide();
    barre_question_->Montre_Element(1, true);
}

void Portrait_Questions::Ouvre_Question_Classee(int position) {
    if (position < 0 || static_cast<size_t>(position) >= base_.Objets.size())
        return;
    Cache_Questions();
    barre_deter_->hide();
    identification_.Question = Question_Courante::De_Objet(base_.Objets[static_cast<size_t>(position)]);
    if (!Propose_Question()) {
        Fin_Question();  // the picture is missing: back to the identification view
        return;
    }
    barre_question_->Montre_Element(2 * base_.Nb_But_Quest - 1, true);
    barre_question_->show();
}

// --- Bar clicks ------------------------------------------------------------------------------

void Portrait_Questions::Clic_Barre_Deter(int /*index*/, const QString& tag) {
    const std::string cle = tag.toStdString();
    const Objet_Fic* objet = base_.Trouve_Objet(cle);
    if (objet == nullptr) {
        if (cle == "Search" && (QGuiApplication::keyboardModifiers() & Qt::ShiftModifier)) {
            Montre_Questions();
        } else if (cle == "Search") {
            Maitre_Discriminant();
        } else if (cle == "Results") {
            hote_.Commande_Vue_Resultats();
        }
        return;
    }
    hote_.Sablier(true);
    barre_deter_->hide();
    Question_Courante& q = identification_.Question;
    const std::string question_precedente = q.TipText;  // the button does not read the question's text
    q = Question_Courante::De_Objet(*objet);
    q.Objet = cle;
    q.TipText = question_precedente;
    q.Choix = Choix_Enregistre(q, identification_.Etats_Choisis());
    hote_.Mode_Affichage(2);
    Affiche_Choix(q.Popup);
    hote_.Texte_Statut(Question_Affichee(*objet));
    barre_question_->Montre_Element(2 * base_.Nb_But_Quest - 1, false);
    barre_question_->show();
}

bool Portrait_Questions::Valide_Mesure() {
    const bool vide = mesure_->Vide();
    const auto valeur = mesure_->Valeur();
    if (!vide && !valeur) {
        hote_.Texte_Statut(Q_Texte(Chaine_Ajoutee(Texte_Ajoute::Mesure_Invalide, hote_.Langue()))
                               .arg(mesure_->Saisie()->text()));
        mesure_->Saisie()->setFocus(Qt::OtherFocusReason);
        return false;
    }
    emit Reponses_Vont_Changer();
    const std::vector<int16_t> avant = identification_.Etats_Choisis();
    const Valeurs_Mesurees valeurs_avant = identification_.Valeurs();
    identification_.Question.Choix = -1;  // an empty field takes the answer back
    const Status s = valeur ? identification_.Valid_Mesure(*valeur, reglages_.Tolerance_Mesure)
                            : identification_.Valid_Descripteur();
    if (s.ok() && (identification_.Etats_Choisis() != avant || identification_.Valeurs() != valeurs_avant))
        identification_.Actualise_Identification();
    Retire_Contradictions();
    emit Reponses_Changees();
    return true;
}

void Portrait_Questions::Clic_Barre_Question(int index) {
    if (index == 1 && mesure_ouverte_) {
        if (Valide_Mesure()) {
            mesure_ouverte_ = false;
            Fin_Question();
        }
        return;
    }
    if (index == 1) {
        hote_.Sablier(true);
        pic_choix_->setCursor(Qt::WaitCursor);
        Laisse_Passer_Evenements();
        // A selection outside the character (a cell beyond its states) is refused by the engine
        // and records nothing.
        emit Reponses_Vont_Changer();
        // Confirming what is already recorded (nothing picked on an unanswered question, the
        // same state again) changes nothing, so the identification is not marked changed.
        const std::vector<int16_t> avant = identification_.Etats_Choisis();
        const std::vector<int16_t> cadres_avant = identification_.Etat_Cadre();
        if (identification_.Valid_Descripteur().ok() &&
            (identification_.Etats_Choisis() != avant || identification_.Etat_Cadre() != cadres_avant))
            identification_.Actualise_Identification();
        Retire_Contradictions();
        emit Reponses_Changees();
        hote_.Sablier(false);
        pic_choix_->setCursor(Qt::PointingHandCursor);
        Fin_Question();
    } else if (index == 5) {
        switch (identification_.Passe_Caractere()) {
        case Issue_Recherche::Proposee: Propose_Question(); break;
        case Issue_Recherche::Refusee:
            hote_.Texte_Statut(QString());
            hote_.Vue_Identification();
            break;
        case Issue_Recherche::Aucune:
        case Issue_Recherche::Une_Seule_Espece: break;  // the chooser stays on its character
        }
    } else {
        Fin_Question();
    }
}

void Portrait_Questions::Retire_Reponse(const Objet_Fic& objet) {
    mesure_ouverte_ = false;
    identification_.Question = Question_Courante::De_Objet(objet);
    Clic_Barre_Question(1);
}

// --- Contradictions --------------------------------------------------------------------------

void Portrait_Questions::Affiche_Contradictions(const Contradictions_Espece& contradictions) {
    calques_->Retire_Calques();
    calques_->Fixe_Nb_Dessins_Sup(contradictions.Nb_Dessins_Sup);
    for (const Etat_Contredit* etat : contradictions.Calques()) {
        calques_->Charge_Dessin(etat->Objet, etat->Calque, etat->Dessin);
    }
    Construit_Barre_Deter(&contradictions.Barre);
    occupe_ = false;
    hote_.Vue_Identification();
}

bool Portrait_Questions::Retire_Contradictions() {
    if (calques_->Nb_Dessins_Sup() == 0) return false;
    calques_->Retire_Calques();
    Recharge_Barre();
    return true;
}

std::optional<Boite_Ecran> Portrait_Questions::Boite_Choix() const {
    if (pic_choix_ == nullptr || !pic_choix_->isVisible())
        return std::nullopt;
    return Boite_Ecran{pic_choix_->size(), pic_choix_->devicePixelRatioF()};
}

QString Portrait_Questions::Texte_Choix() const {
    if (pic_choix_ == nullptr || !pic_choix_->isVisible() || !pic_choix_->En_Liste())
        return {};
    const Question_Courante& q = identification_.Question;
    const Objet_Fic* objet = base_.Trouve_Objet(q.Objet);
    QStringList lignes{objet != nullptr ? Question_Affichee(*objet) : QString::fromStdString(q.TipText)};
    const std::string suffixe(Suffixe_Interface(hote_.Langue()));
    for (int k = q.Index_Car; k < q.Index_Car + q.Nb_Car; ++k)
        if (const Etat_Caractere* etat = base_.Etat_Par_Numero(k))
            lignes << QString::fromStdString(base_.Textes.Etat(*etat, suffixe));
    return lignes.join(QLatin1Char('\n'));
}

Boite_Ecran Portrait_Questions::Boite_Portrait() const {
    if (robot_ == nullptr)
        return {};
    return Boite_Ecran{robot_->size(), robot_->devicePixelRatioF()};
}

}  // namespace kestrane
