#pragma once
// A copy of the test base "cle" (tests/bases/cle) loaded as the program loads it, an
// identification started on it and the portrait placed in a shown window as the main window does.
//
// In the 480 x 360 pixels of Robot (the 2400 x 1800 frame / 5), on white: trunk x 200..280,
// y 200..360, brown (darker after rough bark); leaf x 40..200, y 40..160, green, and a lower
// leaflet block y 170..200 after compound leaf; the bark's overlay, magenta, x 210..270, y 220..300.
// Zones: Ecorce over the trunk; over x 40..200, y 40..200 Feuille, or Foliole after F_COMP, and
// Marge over the lower block once five leaflets are answered. Palette: green Feuille, brown Ecorce.
// Determination bar items 1 Bark, 3 Leaf, 5 Search, 7 Results; question bar 1 OK, 3 Back, 5 Next.

#include <QImage>
#include <QPoint>
#include <QString>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>

#include "Base_Test.h"
#include "Dialogue_Utilisateur.h"
#include "Dialogues_Scriptes.h"
#include "Hote_Portrait.h"
#include "Identification_Courante.h"
#include "Observateur_Identification.h"
#include "Portrait_Questions.h"
#include "Reglages.h"

// Lets events run until `condition` holds; fails the test (and leaves it) when it never does.
#define ATTEND_QUE(condition) \
    ASSERT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(condition); }, 5000)) << #condition

namespace kestrane::test {

// The drawings' colours, the chooser's mark and the buttons' pictures.
inline constexpr QRgb Blanc = 0xFFFFFFFF, Vert_Feuille = 0xFF00A000, Brun_Tronc = 0xFF804000, Brun_Rugueux = 0xFF603000,
                      Magenta_Contra = 0xFFFF00FF, Bleu_Marque = 0xFF0000FF, Rouge_Icone = 0xFFFF0000, Bleu_Icone = 0xFF0000C0;

// Loads the copy as the program does: its machine settings into `reglages`, the palette sampled
// from its palette picture unless `palette` is given. Null, and the test failed, when it does not.
std::unique_ptr<Base_Connaissance> Charge_Copie(const Copie_Base& copie, Palette_Sampler* palette = nullptr,
                                                Reglages* reglages = nullptr);

// Robot and Pic_Choix at (0, 0) 480 x 360, the bars to their right. The bench is the main window's
// side, recorded: its host part, and the engine's loads and messages passed on to the portrait and
// the scripted dialogs as the window passes them.
class Banc_Portrait : public Hote_Portrait, public Observateur_Identification, public Dialogue_Utilisateur {
public:
    // `sql` changes the copy before it loads; `reponses` answers the messages of the start.
    explicit Banc_Portrait(const std::string& sql = {}, bool demarrage_termine = true,
                           std::deque<Reponse> reponses = {});

    void Redimensionne(int largeur, int hauteur);
    // A left click on Robot at a point of the 480 x 360 drawing (scaled to Robot's size).
    void Clic_Dessin(double x, double y);
    // A left click in the centre of cell `cellule` of the chooser.
    void Clic_Cellule(int cellule);
    void Clic_Barre(Barre_Boutons* barre, int index);
    // The pointer moves to `position` of `widget`, as the window system reports it.
    void Survole(QWidget* widget, QPoint position);
    QImage Capture_Robot() const { return Portrait->Widget_Robot()->grab().toImage(); }
    // The answer recorded for state `numero`; -1 beyond the states.
    int Etat(size_t numero) const;

    void Texte_Statut(const QString& texte) override { Statut = texte; }
    void Mode_Affichage(int mode) override { Mode = mode; }
    void Vue_Identification() override { ++Vues_Identification; Mode = 1; Portrait->Montre_Portrait(); }
    void Commande_Vue_Resultats() override { ++Vues_Resultats; }
    void Sablier(bool) override {}
    int Langue() const override { return Langue_Interface; }
    QString Titre_Messages() const override { return QStringLiteral("Kestrane"); }
    QWidget* Fenetre() override { return nullptr; }  // the messages' parent
    bool Charge_Piece(int piece, const std::string& chemin) override { return Portrait->Calques().Charge_Piece(piece, chemin); }
    void Etat_Inexistant(const std::string& message) override { Portrait->Calques().Etat_Inexistant(message); }
    void Message(const std::string& texte) override { Demande(texte, Boutons::OK); }
    bool Question_Oui_Non(const std::string& texte) override { return Demande(texte, Boutons::Oui_Non) == Reponse::Oui; }

    Copie_Base Copie{"cle"};  // members go in reverse order: the portrait before its window
    std::unique_ptr<Base_Connaissance> Base;
    Reglages Parametres;
    Dialogues_Scriptes Dialogues;
    std::unique_ptr<QWidget> Fenetre_Hote;
    std::unique_ptr<Identification_Courante> Identification;
    std::unique_ptr<Portrait_Questions> Portrait;
    Status Demarrage = Status::Ok();
    QString Statut;
    int Mode = 1;
    int Vues_Identification = 0;
    int Vues_Resultats = 0;
    int Langue_Interface = 0;  // what the options dialog would set

private:
    Reponse Demande(const std::string& texte, Boutons boutons) {
        return Dialogues.Message(nullptr, QString::fromStdString(texte), boutons, Icone::Aucune, Titre_Messages());
    }
};

}  // namespace kestrane::test
