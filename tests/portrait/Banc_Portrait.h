#pragma once
// A small tree key with a real portrait, state pictures and button pictures, all drawn by the
// test from SVG through the project's metafile writer, and a window that hosts the portrait the
// way the main window does.
//
// Portrait (480 x 360 logical units, stretched to Robot; reference frame 2400 x 1800):
//   piece 0, trunk: a brown bar x 200..280, y 200..360 (tronc00.wmf; tronc01.wmf, darker, after
//            rough bark);
//   piece 1, leaf: a green block x 40..200, y 40..160 (feuille.wmf; feuille_comp.wmf, with a
//            second block x 40..200, y 170..200, after compound leaf);
//   piece 2, fruit: a red block x 300..400, y 40..140 (fruit.wmf).
// Palette: green -> Feuille, brown -> Ecorce, white -> Ciel (no such object).
// Click zones (reference units): the fruit, 1500..2000 x 200..700 -> Fruit (frame 2);
//   the lower leaf, 200..1000 x 400..800 -> Marge (frame 0, Test_Cadre, only once the leaf is simple).
// Characters: Feuille (0 F_SIMPLE, 1 F_COMP; 1 x 2; frame 0), Marge (2 M_ENTIERE, 3 M_DENTEE;
//   1 x 2; frame 0), Ecorce (4 E_LISSE, 5 E_RUGUEUSE; 1 x 2; frame 1), Fruit (6 FR_SEC,
//   7 FR_CHARNU, 8 FR_AILE; 2 x 2, the fourth cell empty; frame 2).
// Species: Acer (simple, toothed, smooth, winged), Betula (simple, toothed, rough, dry),
//   Fagus (simple, entire, smooth, dry), Fraxinus (compound, rough, winged).
// Determination bar: 1 Bark, 2 Leaf, 3 Fruit, 4 Search, 5 Results. Question bar: 1 OK, 2 Back,
//   3 Next. Contradictions: Ecorce by the drawing CONTRA/ecorce_x.wmf (a magenta block over the
//   trunk), Feuille by button 2 (contra/feuille_x.ico, red).

#include <QImage>
#include <QPoint>
#include <QString>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

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

// Colours of the drawings.
inline constexpr QRgb Vert_Feuille = 0xFF00A000;
inline constexpr QRgb Brun_Tronc = 0xFF804000;
inline constexpr QRgb Brun_Rugueux = 0xFF603000;
inline constexpr QRgb Rouge_Fruit = 0xFFC00000;
inline constexpr QRgb Magenta_Contra = 0xFFFF00FF;
inline constexpr QRgb Bleu_Marque = 0xFF0000FF;
inline constexpr QRgb Rouge_Icone = 0xFFFF0000;
inline constexpr QRgb Bleu_Icone = 0xFF0000C0;

// The description of the key; `sql_supplementaire` runs after its rows.
Description_Base Description_Portrait(const std::string& sql_supplementaire = {});

// Writes an SVG drawing of `largeur` x `hauteur` units and turns it into the metafile `wmf`.
void Ecrit_Dessin(const std::string& wmf, const std::string& corps_svg, int largeur = 480, int hauteur = 360);
// Every drawing and picture of the key, under `dossier` (ending with "/").
void Ecrit_Images(const std::string& dossier);

// The main window's side, recorded.
class Hote_Test : public Hote_Portrait {
public:
    void Texte_Statut(const QString& texte) override { Statut = texte; }
    void Mode_Affichage(int mode) override { Mode = mode; }
    void Vue_Identification() override;
    void Commande_Vue_Resultats() override { ++Vues_Resultats; }
    void Sablier(bool actif) override { Sablier_Actif = actif; }
    int Langue() const override { return Langue_Interface; }
    QString Titre_Messages() const override { return QStringLiteral("Kestrane"); }
    QWidget* Fenetre() override { return Fenetre_Principale; }

    Portrait_Questions* Portrait = nullptr;
    QWidget* Fenetre_Principale = nullptr;
    QString Statut;
    int Mode = 1;
    int Vues_Identification = 0;
    int Vues_Resultats = 0;
    bool Sablier_Actif = false;
    int Langue_Interface = 0;  // what the options dialog would set
};

// The engine's questions and messages go through the scripted dialogs, as the window's do.
class Dialogue_Test : public Dialogue_Utilisateur, public Observateur_Identification {
public:
    explicit Dialogue_Test(Dialogues_Scriptes& d) : dialogues_(d) {}
    void Message(const std::string& texte) override;
    bool Question_Oui_Non(const std::string& texte) override;
    bool Charge_Piece(int piece, const std::string& chemin) override;
    void Etat_Inexistant(const std::string& message) override;

    Portrait_Questions* Portrait = nullptr;

private:
    Dialogues_Scriptes& dialogues_;
};

// The key loaded, the identification started and the portrait placed in a shown window:
// Robot and Pic_Choix at (0, 0) 480 x 360, the bars to their right.
class Banc_Portrait {
public:
    // `reponses` answers the messages of the start (before the test can script them).
    explicit Banc_Portrait(const Description_Base& description = Description_Portrait(),
                           bool demarrage_termine = true, std::deque<Reponse> reponses = {});
    ~Banc_Portrait();

    // Moves the portrait and the chooser to a new size.
    void Redimensionne(int largeur, int hauteur);
    // A left click on Robot at a point of the 480 x 360 drawing (scaled to Robot's size).
    void Clic_Dessin(double x, double y);
    // A left click in the centre of cell `cellule` of the chooser.
    void Clic_Cellule(int cellule);
    // A click on item `index` of a bar.
    void Clic_Barre(Barre_Boutons* barre, int index);
    // The pointer moves to `position` of `widget`, as the window system reports it.
    void Survole(QWidget* widget, QPoint position);
    // What Robot shows, as painted.
    QImage Capture_Robot() const;
    QImage Capture_Choix() const;

    std::unique_ptr<Base_Temporaire> Dossier;
    std::unique_ptr<Base_Connaissance> Base;
    Reglages Parametres;
    Dialogues_Scriptes Dialogues;
    Hote_Test Hote;
    std::unique_ptr<Dialogue_Test> Dialogue;
    std::unique_ptr<QWidget> Fenetre;
    std::unique_ptr<Identification_Courante> Identification;
    std::unique_ptr<Portrait_Questions> Portrait;
    Status Demarrage = Status::Ok();
};

}  // namespace kestrane::test
