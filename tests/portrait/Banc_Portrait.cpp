#include "Banc_Portrait.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "Chargeur_Base.h"
#include "Conversion_Svg.h"
#include "Palette_Sampler.h"

namespace kestrane::test {

Description_Base Description_Portrait(const std::string& sql_supplementaire) {
    Description_Base d;
    d.nb_contraintes = 3;
    // clang-format off
    d.sql = Parametres_SQL({{"Nb_Esp", "4"}, {"Nb_Etats_Desc", "9"}, {"Nb_Cadre", "3"}, {"Nb_Robot", "3"}, {"Nb_But_Deter", "5"},
                            {"Nb_But_Quest", "3"}, {"Nb_Couleurs", "4"}, {"Nb_Contraintes", "3"}}) +
            R"sql(
INSERT INTO Couleurs VALUES (1, 'Feuille'), (2, 'Ecorce'), (3, 'Ciel'), (4, 'Rien');
INSERT INTO Flore VALUES ('Acer', 'ACECA', 'Aceraceae', ''), ('Betula', 'BETPE', 'Betulaceae', '');
INSERT INTO Flore VALUES ('Fagus', 'FAGSY', 'Fagaceae', ''), ('Fraxinus', 'FRAEX', 'Oleaceae', '');
INSERT INTO Caracteres VALUES (0, 'F_SIMPLE', 'Simple leaf'), (1, 'F_COMP', 'Compound leaf');
INSERT INTO Caracteres VALUES (2, 'M_ENTIERE', 'Entire margin'), (3, 'M_DENTEE', 'Toothed margin');
INSERT INTO Caracteres VALUES (4, 'E_LISSE', 'Smooth bark'), (5, 'E_RUGUEUSE', 'Rough bark');
INSERT INTO Caracteres VALUES (6, 'FR_SEC', 'Dry fruit'), (7, 'FR_CHARNU', 'Fleshy fruit');
INSERT INTO Caracteres VALUES (8, 'FR_AILE', 'Winged fruit');
INSERT INTO Objets_Fic VALUES ('Feuille', 0, 0, 2, 1, 2, 0, 'feuille.wmf', 'Leaf type', 1);
INSERT INTO Objets_Fic VALUES ('Marge', 1, 2, 2, 1, 2, 0, 'marge.wmf', 'Margin', 1);
INSERT INTO Objets_Fic VALUES ('Ecorce', 2, 4, 2, 1, 2, 1, 'ecorce.wmf', 'Bark', 1);
INSERT INTO Objets_Fic VALUES ('Fruit', 3, 6, 3, 2, 2, 2, 'fruit.wmf', 'Fruit', 1);
INSERT INTO Descendance VALUES (1, 'F_SIMPLE', 'Marge');
INSERT INTO Hierarchie (Numero, Robot_Num, Nom, C_0, C_1, C_2) VALUES (1, 0, 'tronc01.wmf', 'E_RUGUEUSE', 'Fin', NULL),
  (2, 0, 'tronc00.wmf', 'Fin', NULL, NULL), (3, 1, 'feuille_comp.wmf', 'F_COMP', 'Fin', NULL),
  (4, 1, 'feuille.wmf', 'Fin', NULL, NULL), (5, 2, 'fruit.wmf', 'Fin', NULL, NULL);
INSERT INTO Clic_Zone (Numero, Nom, Cadre, Test_Cadre, X1, X2, Y1, Y2, C_0, C_1, C_2)
  VALUES (1, 'Fruit', 2, 0, 1500, 2000, 200, 700, 'Fin', NULL, NULL), (2, 'Marge', 0, 1, 200, 1000, 400, 800, 'F_SIMPLE', 'Fin', NULL);
INSERT INTO Contradictions VALUES ('Ecorce', -1, 'ecorce_x'), ('Feuille', 2, 'feuille_x');
INSERT INTO But_Deter VALUES (1, 'Bark', 'ecorce.bmp', 'The bark', 'Ecorce'), (2, 'Leaf', 'feuille.bmp', 'The leaf', 'Feuille'),
  (3, 'Fruit', 'fruit.bmp', 'The fruit', 'Fruit'), (4, 'Search', 'search.bmp', 'Search', 'Search'),
  (5, 'Results', 'results.bmp', 'Results', 'Results');
INSERT INTO But_Quest VALUES (1, 'OK', 'ok.bmp', 'Accept'), (2, 'Back', 'back.bmp', 'Back'), (3, 'Next', 'next.bmp', 'Next');
)sql" + sql_supplementaire;
    d.poids = std::vector<int16_t>(9, 1);
    // State-major: species Acer, Betula, Fagus, Fraxinus.
    d.matrice = {
        1, 1, 1, 0,  // F_SIMPLE
        0, 0, 0, 1,  // F_COMP
        0, 0, 1, 0,  // M_ENTIERE
        1, 1, 0, 0,  // M_DENTEE
        1, 0, 1, 0,  // E_LISSE
        0, 1, 0, 1,  // E_RUGUEUSE
        0, 1, 1, 0,  // FR_SEC
        0, 0, 0, 0,  // FR_CHARNU
        1, 0, 0, 1,  // FR_AILE
    };
    // clang-format on
    return d;
}

void Ecrit_Dessin(const std::string& wmf, const std::string& corps_svg, int largeur, int hauteur) {
    std::filesystem::create_directories(std::filesystem::path(wmf).parent_path());
    const std::string svg = wmf + ".svg";
    QFile f(QString::fromStdString(svg));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' width='%1' height='%2' viewBox='0 0 %1 %2'>%3</svg>")
                .arg(largeur)
                .arg(hauteur)
                .arg(QString::fromStdString(corps_svg))
                .toUtf8());
    f.close();
    const Status s = Convertit_Svg_En_Wmf(svg, wmf, largeur, hauteur);
    ASSERT_TRUE(s.ok()) << s.message();
    std::filesystem::remove(svg);
}

namespace {

std::string Rect(int x, int y, int w, int h, const char* couleur) {
    return "<rect x='" + std::to_string(x) + "' y='" + std::to_string(y) + "' width='" + std::to_string(w) +
           "' height='" + std::to_string(h) + "' fill='" + couleur + "'/>";
}

void Ecrit_Icone(const std::string& chemin, QRgb couleur, const char* format) {
    std::filesystem::create_directories(std::filesystem::path(chemin).parent_path());
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(couleur);
    ASSERT_TRUE(image.save(QString::fromStdString(chemin), format)) << chemin;
}

// A state picture: one coloured cell per state on a white ground, with white margins.
std::string Grille(int lignes, int colonnes, int nb_etats) {
    static const char* couleurs[] = {"#88cc88", "#cccc44", "#cc8844", "#8888cc"};
    std::string corps;
    const int w = 480 / colonnes;
    const int h = 360 / lignes;
    for (int c = 0; c < nb_etats; ++c) {
        corps += Rect((c % colonnes) * w + 10, (c / colonnes) * h + 10, w - 20, h - 20, couleurs[c % 4]);
    }
    return corps;
}

}  // namespace

void Ecrit_Images(const std::string& dossier) {
    const std::string robot = dossier + "robot/";
    Ecrit_Dessin(robot + "00/Tronc00.wmf", Rect(200, 200, 80, 160, "#804000"));
    Ecrit_Dessin(robot + "00/tronc01.WMF", Rect(200, 200, 80, 160, "#603000"));
    Ecrit_Dessin(robot + "01/feuille.wmf", Rect(40, 40, 160, 120, "#00a000"));
    Ecrit_Dessin(robot + "01/feuille_comp.wmf", Rect(40, 40, 160, 120, "#00a000") + Rect(40, 170, 160, 30, "#00a000"));
    Ecrit_Dessin(robot + "02/fruit.wmf", Rect(300, 40, 100, 100, "#c00000"));
    Ecrit_Dessin(robot + "Contra/ecorce_x.wmf", Rect(210, 220, 60, 80, "#ff00ff"));
    Ecrit_Icone(robot + "Contra/feuille_x.ico", Rouge_Icone, "ICO");

    const std::string desc = dossier + "desc/";
    Ecrit_Dessin(desc + "feuille.wmf", Grille(1, 2, 2));
    Ecrit_Dessin(desc + "marge.wmf", Grille(1, 2, 2));
    Ecrit_Dessin(desc + "ecorce.wmf", Grille(1, 2, 2));
    Ecrit_Dessin(desc + "fruit.wmf", Grille(2, 2, 3));

    for (const char* nom : {"ecorce", "feuille", "fruit", "search", "results", "ok", "back", "next"}) {
        Ecrit_Icone(dossier + nom + ".bmp", Bleu_Icone, "BMP");
    }
}

void Hote_Test::Vue_Identification() {
    ++Vues_Identification;
    Mode = 1;
    if (Portrait != nullptr) Portrait->Montre_Portrait();
}

void Dialogue_Test::Message(const std::string& texte) {
    dialogues_.Message(nullptr, QString::fromStdString(texte), Boutons::OK, Icone::Aucune, QStringLiteral("Kestrane"));
}

bool Dialogue_Test::Question_Oui_Non(const std::string& texte) {
    return dialogues_.Message(nullptr, QString::fromStdString(texte), Boutons::Oui_Non, Icone::Question,
                              QStringLiteral("Kestrane")) == Reponse::Oui;
}

bool Dialogue_Test::Charge_Piece(int piece, const std::string& chemin) {
    return Portrait != nullptr && Portrait->Calques().Charge_Piece(piece, chemin);
}

void Dialogue_Test::Etat_Inexistant(const std::string& message) {
    if (Portrait != nullptr) Portrait->Calques().Etat_Inexistant(message);
}

Banc_Portrait::Banc_Portrait(const Description_Base& description, bool demarrage_termine,
                             std::deque<Reponse> reponses) {
    Dialogues.reponses = std::move(reponses);
    Dossier = std::make_unique<Base_Temporaire>(description);
    const std::string dossier = Dossier->Dossier();
    Ecrit_Images(dossier);
    // Green leaf, brown trunk, white sky, red fruit (red names nothing).
    Palette_Fixe palette({0x00A000, 0x004080, 0xFFFFFF, 0x0000C0});
    Chargement c = Charge_Base(Dossier->Lieux(), &palette);
    if (!c.Base) {
        ADD_FAILURE() << "the key does not load: " << (c.Echec ? c.Echec->Message : std::string());
        return;
    }
    Base = std::move(c.Base);
    Parametres.Rep_Data = dossier;
    Parametres.Rep_Descripteurs = dossier + "desc/";
    Parametres.Rep_Robot = dossier + "robot/";

    Fenetre = std::make_unique<QWidget>();
    Fenetre->resize(760, 420);
    Hote.Fenetre_Principale = Fenetre.get();
    Dialogue = std::make_unique<Dialogue_Test>(Dialogues);
    Reglages_Moteur moteur;
    moteur.Rep_Robot = Parametres.Rep_Robot;
    moteur.Rep_Data = Parametres.Rep_Data;
    Identification = std::make_unique<Identification_Courante>(*Base, moteur, *Dialogue, *Dialogue);
    Portrait = std::make_unique<Portrait_Questions>(*Base, *Identification, Parametres, Hote, Dialogues, Fenetre.get());
    Dialogue->Portrait = Portrait.get();
    Hote.Portrait = Portrait.get();
    Demarrage = Identification->Demarre();
    if (demarrage_termine) Portrait->Calques().Demarrage_Termine();
    Portrait->Cree_Barre_Deter();
    Portrait->Cree_Barre_Question();
    Redimensionne(480, 360);
    Fenetre->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Fenetre.get()));
}

Banc_Portrait::~Banc_Portrait() {
    Portrait.reset();
    Identification.reset();
    Fenetre.reset();
}

void Banc_Portrait::Redimensionne(int largeur, int hauteur) {
    Portrait->Widget_Robot()->setGeometry(0, 0, largeur, hauteur);
    Portrait->Widget_Pic_Choix()->setGeometry(0, 0, largeur, hauteur);
    Portrait->Widget_Small_Robot()->setGeometry(0, 0, largeur / 4, hauteur / 4);
    for (Barre_Boutons* barre : {Portrait->Barre_Deter(), Portrait->Barre_Question()}) {
        barre->setGeometry(QRect(QPoint(largeur + 10, 0), barre->Taille_Ideale()));
    }
    if (Fenetre->width() < largeur + 200 || Fenetre->height() < hauteur) {
        Fenetre->resize(std::max(Fenetre->width(), largeur + 200), std::max(Fenetre->height(), hauteur));
    }
}

void Banc_Portrait::Clic_Dessin(double x, double y) {
    Robot* robot = Portrait->Widget_Robot();
    const QPoint p(static_cast<int>(std::lround(x * robot->width() / 480.0)),
                   static_cast<int>(std::lround(y * robot->height() / 360.0)));
    QTest::mouseClick(robot, Qt::LeftButton, {}, p);
}

void Banc_Portrait::Clic_Cellule(int cellule) {
    Pic_Choix* pic = Portrait->Widget_Pic_Choix();
    const Question_Courante& q = Identification->Question;
    const double w = static_cast<double>(pic->width()) / q.Colonnes;
    const double h = static_cast<double>(pic->height()) / q.Lignes;
    const QPoint p(static_cast<int>((cellule % q.Colonnes + 0.5) * w), static_cast<int>((cellule / q.Colonnes + 0.5) * h));
    QTest::mouseClick(pic, Qt::LeftButton, {}, p);
}

void Banc_Portrait::Clic_Barre(Barre_Boutons* barre, int index) {
    QToolButton* bouton = barre->Bouton_A(index);
    ASSERT_NE(bouton, nullptr) << "no button at item " << index;
    QTest::mouseClick(bouton, Qt::LeftButton);
}

void Banc_Portrait::Survole(QWidget* widget, QPoint position) {
    QTest::mouseMove(widget->window()->windowHandle(), widget->mapTo(widget->window(), position));
}

QImage Banc_Portrait::Capture_Robot() const { return Portrait->Widget_Robot()->grab().toImage(); }

QImage Banc_Portrait::Capture_Choix() const { return Portrait->Widget_Pic_Choix()->grab().toImage(); }

}  // namespace kestrane::test
