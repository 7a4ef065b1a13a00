// The demo flora of the repository: it builds, checks, and gives the right trees.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "Chargeur_Base.h"
#include "Composition_Portrait.h"
#include "Database.h"
#include "Echantillonneur_Palette_Wmf.h"
#include "Metafichier.h"
#include "Outils_Test.h"
#include "Recherche_Objet.h"
#include "Rendu_Wmf.h"
#include "Table_Csv.h"
#include "Verification_Base.h"

namespace kestrane::kb {
namespace {

using test::Classe;

// The flora as the build made and checked it with the builder; each test runs in its own process
// and loads it once.
class Flore_Demo : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        wmf::Echantillonneur_Palette_Wmf palette(Dossier() + "/data/couleur.wmf", 2400, 40);
        auto c = Charge_Base({Dossier() + "/data/kestrane.sqlite", Dossier() + "/data/"}, &palette);
        ASSERT_TRUE(c.Base) << c.Echec->Detail;
        base_ = std::move(c.Base);
    }
    static void TearDownTestSuite() { base_.reset(); }
    void SetUp() override { ASSERT_TRUE(base_) << "the demo flora does not load"; }
    static std::string Dossier() { return KB_FLORA_BUILT; }
    static inline std::unique_ptr<Base_Connaissance> base_;
};

TEST_F(Flore_Demo, BuildsAndChecksClean) {
    std::string t;
    for (const auto& p : Verifie_Base(Dossier())) t += p.Texte() + "\n";
    EXPECT_EQ(t, "");
    // The default portrait, as the program composes it with no answer, shows every organ in the
    // palette colour of its character: a click outside the zones still finds the organ.
    struct Pieces : Chargeur_Pieces {
        std::map<int, wmf::Metafichier> lues;
        bool Charge_Piece(int piece, const std::string& chemin) override {
            auto m = wmf::Metafichier::Lit_Fichier(chemin);
            if (m.ok())
                lues.insert_or_assign(piece, std::move(m).value());
            return m.ok();
        }
        void Etat_Inexistant(const std::string& message) override { ADD_FAILURE() << message; }
    } pieces;
    Composition_Portrait composition(*base_, Dossier() + "/robot/");
    const Status s =
        composition.Compose(std::vector<int16_t>(static_cast<size_t>(base_->Nb_Etats_Desc), 0), pieces);
    ASSERT_TRUE(s.ok()) << s.message();
    std::vector<const wmf::Metafichier*> couches;
    for (const auto& [piece, m] : pieces.lues) couches.push_back(&m);
    EXPECT_EQ(static_cast<int>(couches.size()), base_->Nb_Robot);
    QImage portrait(1200, 900, QImage::Format_RGB32);
    portrait.fill(Qt::white);
    wmf::Rendu_Wmf::Peint_Couches(portrait, couches, QRectF(0, 0, 1200, 900));
    ASSERT_EQ(static_cast<int>(base_->Couleur_Pixel.size()), base_->Nb_Couleurs);
    auto code_en = [&](int x, int y) {  // x, y in the 2400 x 1800 frame
        const QRgb p = portrait.pixel(x / 2, y / 2);
        return Couleur_Proche(*base_, qRed(p) | qGreen(p) << 8 | qBlue(p) << 16);
    };
    // clang-format off
    const std::tuple<int, int, const char*> organes[] = {  // (1000, 80): the sky around the crown
        {650, 500, "Crown"}, {1000, 80, "Crown"}, {650, 1300, "Bark"}, {75, 800, "Height"}, {900, 1700, "Height"},
        {240, 1720, "Persistence"}, {1480, 480, "Leaf_Type"}, {2110, 380, "Fruit_Type"}, {1400, 1290, "Thorns"},
        {1815, 1235, "Buds"}, {960, 1350, "Bark_Colour"}, {2150, 1400, "Bud_Colour"}, {1300, 1140, "Twig"},
        {1270, 110, "Leaf_Texture"}, {1730, 990, "Leaf_Stalk"}, {1765, 100, "Scent"}};
    // clang-format on
    for (const auto& [x, y, code] : organes) EXPECT_EQ(code_en(x, y), code) << x << ", " << y;
    // Below the portrait a species' full-size drawing shows the organ panels whole, down to the bud
    // close-up at the bottom of the right column (its bud at 2150, 1440 of the frame).
    const QImage dessin(QString::fromStdString(Dossier() + "/documents/a/accam/accam.gif"));
    ASSERT_EQ(dessin.size(), QSize(2200, 3300));
    EXPECT_LT(qGray(dessin.pixel(1461, 3135)), 200);
    // Large enough to be a real key.
    EXPECT_TRUE(base_->Nb_Esp >= 91 && base_->Objets.size() >= 50 && base_->Nb_Robot >= 6)
        << base_->Nb_Esp << " species, " << base_->Objets.size() << " characters, " << base_->Nb_Robot << " pieces";
    EXPECT_EQ(base_->Communs_Langues.size(), 3u);
}

// The rows of flore_demo.csv of one kind: "key" (a species and the features a flora or a field
// guide gives for it, not read off the matrix), "winter" (a deciduous species and what it shows in
// winter), "click" (the object a click at X, Y of the 2400 x 1800 portrait asks about with these
// answers; none for an empty object).
struct Scenario {
    std::string cible;
    double x = 0, y = 0;
    std::vector<std::string> reponses;
};
std::vector<Scenario> Scenarios(const std::string& genre) {
    const auto t = Table_Csv::Analyse(test::Lit_Texte(KB_FLORE_ATTENDUE), "flore_demo.csv");
    EXPECT_TRUE(t.ok() && t->Colonnes().size() == 5) << t.status().message();  // rows are padded to the header
    std::vector<Scenario> out;
    for (const auto& l : t.ok() && t->Colonnes().size() == 5 ? t->Lignes() : std::vector<Ligne_Csv>{}) {
        if (l.Champs.at(0) != genre)
            continue;
        out.push_back({l.Champs.at(1), std::atof(l.Champs.at(2).c_str()), std::atof(l.Champs.at(3).c_str()), {}});
        std::istringstream reponses(l.Champs.at(4));
        for (std::string r; reponses >> r;) out.back().reponses.push_back(r);
    }
    return out;
}

TEST_F(Flore_Demo, KeyFeaturesRankEachSpeciesAloneAtTheTop) {
    const std::vector<Scenario> scenarios = Scenarios("key");
    std::set<std::string> vues;
    for (const auto& sc : scenarios) {
        EXPECT_TRUE(sc.reponses.size() >= 3 && sc.reponses.size() <= 5) << sc.cible;
        const auto r = Classe(*base_, sc.reponses);
        ASSERT_GE(r.size(), 2u);
        EXPECT_EQ(r[0].Espece, sc.cible);
        EXPECT_EQ(r[0].Pourcent, 100) << sc.cible;
        EXPECT_LT(r[1].Pourcent, 100) << r[1].Espece << " ties with " << sc.cible;
        vues.insert(sc.cible);
    }
    // One scenario per species of the flora.
    EXPECT_EQ(static_cast<int>(vues.size()), base_->Nb_Esp);
}

// In winter a deciduous tree shows only its habit, bark, twigs and buds: these separate a tree to
// itself or to a pair that a botanist also hesitates between.
TEST_F(Flore_Demo, WinterTwigsBarkAndBudsNarrowDeciduousTreesToTwoAtMost) {
    const std::vector<Scenario> hiver = Scenarios("winter");
    std::set<std::string> couverts;
    for (const auto& sc : hiver) {
        couverts.insert(sc.cible);
        auto reponses = sc.reponses;
        reponses.push_back("PE_DECID");
        const auto r = Classe(*base_, reponses);
        std::vector<std::string> tete;
        for (const auto& rang : r)
            if (rang.Pourcent == r[0].Pourcent)
                tete.push_back(rang.Espece);
        EXPECT_NE(std::find(tete.begin(), tete.end(), sc.cible), tete.end()) << sc.cible;
        EXPECT_LE(tete.size(), 2u) << sc.cible << " among " << tete.size();
    }
    // Every deciduous species has its winter scenario.
    const int caduc = base_->Etat_Par_Identifiant("PE_DECID").value();
    for (int s = 0; s < base_->Nb_Esp; ++s)
        if (base_->Matrice(s, caduc) == 1)
            EXPECT_TRUE(couverts.count(base_->Nom_Esp[static_cast<size_t>(s)])) << base_->Nom_Esp[static_cast<size_t>(s)];
}

// The object the program's zone search names for a click with these answers; "" for none.
std::string Zone_Cliquee(const Base_Connaissance& b, const std::vector<std::string>& reponses, double x,
                         double y) {
    std::vector<int16_t> choisis(static_cast<size_t>(b.Nb_Etats_Desc), 0);
    std::vector<int16_t> etat_cadre(static_cast<size_t>(b.Nb_Cadre), 0);
    for (const auto& id : reponses) {
        EXPECT_TRUE(b.Etat_Par_Identifiant(id)) << "unknown state " << id;
        const int e = b.Etat_Par_Identifiant(id).value_or(0);
        choisis[static_cast<size_t>(e)] = 1;
        for (const auto& o : b.Objets)
            if (e >= o.Index_Car && e < o.Index_Car + o.Nb_Car && o.Cadre >= 0)
                etat_cadre[static_cast<size_t>(o.Cadre)] = -1;
    }
    const Zone_Trouvee z = Cherche_Zone(b, choisis, etat_cadre, x, y);
    return z.Objet ? z.Objet->Objet : "";
}

TEST_F(Flore_Demo, DataZonesAndNamesAreConsistent) {
    // Clicks on the portrait ask the question that fits the answers already given.
    const std::vector<Scenario> clics = Scenarios("click");
    EXPECT_GE(clics.size(), 50u);
    for (const auto& c : clics) {
        std::string quoi;
        for (const auto& r : c.reponses) quoi += r + " ";
        EXPECT_EQ(Zone_Cliquee(*base_, c.reponses, c.x, c.y), c.cible) << quoi << "at " << c.x << ", " << c.y;
    }

    // Every species answers every character that applies to it (one with no parent state, or one
    // whose parent state the species has) and none that does not: a forester never meets a
    // species that fails a plain answer for lack of data.
    std::map<std::string, std::vector<int>> parents;
    for (const auto& d : base_->Descendance) parents[d.Objet].push_back(base_->Etat_Par_Identifiant(d.ID_CARAC).value());
    for (int s = 0; s < base_->Nb_Esp; ++s)
        for (const auto& o : base_->Objets) {
            const auto it = parents.find(o.Objet);
            bool applique = it == parents.end(), repond = false;
            for (int e : applique ? std::vector<int>{} : it->second) applique = applique || base_->Matrice(s, e) == 1;
            for (int e = o.Index_Car; e < o.Index_Car + o.Nb_Car; ++e) repond = repond || base_->Matrice(s, e) == 1;
            EXPECT_EQ(applique, repond) << base_->Nom_Esp[static_cast<size_t>(s)] << " / " << o.Objet;
        }
    // Every character can be reached from the portrait or the determination bar.
    for (const auto& o : base_->Objets) {
        bool atteint = false;
        for (const auto& z : base_->Clic_Zone) atteint = atteint || z.Nom == o.Objet;
        for (const auto& bt : base_->But_Deter) atteint = atteint || bt.Key == o.Objet;
        EXPECT_TRUE(atteint) << o.Objet;
    }
    // Every species has common names in each language of the base.
    for (const auto& langue : base_->Communs_Langues) {
        auto rs = base_->Base_Donnees->Open_Query("Vernaculaire_" + langue);
        ASSERT_TRUE(rs.ok()) << langue;
        std::set<std::string> codes;
        for ((*rs)->Move_First(); !(*rs)->Eof(); (*rs)->Move_Next()) codes.insert((*rs)->Get("Code").Text());
        EXPECT_EQ(static_cast<int>(codes.size()), base_->Nb_Esp) << langue;
    }
}

}  // namespace
}  // namespace kestrane::kb
