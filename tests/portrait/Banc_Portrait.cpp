#include "Banc_Portrait.h"

#include <QToolButton>

#include <cmath>

#include "Chargeur_Base.h"
#include "Echantillonneur_Palette_Wmf.h"
#include "Magasin_Memoire.h"

namespace kestrane::test {

std::unique_ptr<Base_Connaissance> Charge_Copie(const Copie_Base& copie, Palette_Sampler* palette, Reglages* reglages) {
    const Registre_Machine machine = Registre_Machine::Lit(copie.Reglages_Machine());
    const Magasin_Memoire utilisateur;
    const Reglages lus = Lit_Registre(machine, utilisateur);
    if (reglages != nullptr) *reglages = lus;
    wmf::Echantillonneur_Palette_Wmf image(Chemin_Palette(utilisateur, machine, {}), 400, 60);
    Chargement c = Charge_Base({lus.Chemin_Base, lus.Rep_Data}, palette != nullptr ? palette : &image);
    if (!c.Base) ADD_FAILURE() << "the key does not load: " << (c.Echec ? c.Echec->Message : std::string());
    return std::move(c.Base);
}

Banc_Portrait::Banc_Portrait(const std::string& sql, bool demarrage_termine, std::deque<Reponse> reponses) {
    Dialogues.reponses = std::move(reponses);
    if (!sql.empty()) Copie.Execute_SQL(sql);
    Base = Charge_Copie(Copie, nullptr, &Parametres);
    if (!Base) return;
    Fenetre_Hote = std::make_unique<QWidget>();
    Fenetre_Hote->resize(760, 420);
    const Reglages_Moteur moteur{Parametres.Rep_Robot, Parametres.Rep_Data, 0, {}, Parametres.Strategie};
    Identification = std::make_unique<Identification_Courante>(*Base, moteur, *this, *this);
    Portrait = std::make_unique<Portrait_Questions>(*Base, *Identification, Parametres, *this, Dialogues, Fenetre_Hote.get());
    Demarrage = Identification->Demarre();
    if (demarrage_termine) Portrait->Calques().Demarrage_Termine();
    Portrait->Cree_Barre_Deter();
    Portrait->Cree_Barre_Question();
    Redimensionne(480, 360);
    Fenetre_Hote->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Fenetre_Hote.get()));
}

void Banc_Portrait::Redimensionne(int largeur, int hauteur) {
    Portrait->Widget_Robot()->setGeometry(0, 0, largeur, hauteur);
    Portrait->Widget_Pic_Choix()->setGeometry(0, 0, largeur, hauteur);
    Portrait->Widget_Small_Robot()->setGeometry(0, 0, largeur / 4, hauteur / 4);
    for (Barre_Boutons* barre : {Portrait->Barre_Deter(), Portrait->Barre_Question()})
        barre->setGeometry(QRect(QPoint(largeur + 10, 0), barre->Taille_Ideale()));
    Fenetre_Hote->resize(std::max(Fenetre_Hote->width(), largeur + 200), std::max(Fenetre_Hote->height(), hauteur));
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
    QTest::mouseClick(pic, Qt::LeftButton, {},
                      QPoint(static_cast<int>((cellule % q.Colonnes + 0.5) * w), static_cast<int>((cellule / q.Colonnes + 0.5) * h)));
}

void Banc_Portrait::Clic_Barre(Barre_Boutons* barre, int index) {
    QToolButton* bouton = barre->Bouton_A(index);
    ASSERT_NE(bouton, nullptr) << "no button at item " << index;
    QTest::mouseClick(bouton, Qt::LeftButton);
}

void Banc_Portrait::Survole(QWidget* widget, QPoint position) {
    QTest::mouseMove(widget->window()->windowHandle(), widget->mapTo(widget->window(), position));
}

int Banc_Portrait::Etat(size_t numero) const {
    const std::vector<int16_t>& etats = Identification->Etats_Choisis();
    return numero < etats.size() ? etats[numero] : -1;
}

}  // namespace kestrane::test
