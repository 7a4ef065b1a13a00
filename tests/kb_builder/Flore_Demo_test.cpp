// The demo flora of the repository: it builds, checks, and gives the right trees.
#include <gtest/gtest.h>

#include <QImage>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include "Chargeur_Base.h"
#include "Construction_Base.h"
#include "Echantillonneur_Palette_Wmf.h"
#include "Metafichier.h"
#include "Outils_Test.h"
#include "Rendu_Wmf.h"
#include "Verification_Base.h"

namespace fs = std::filesystem;

namespace kestrane::kb {
namespace {

using test::Classe;
using test::Dossier_Test;

class Flore_Demo : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dossier_ = std::make_unique<Dossier_Test>("kb-flora");
        const auto debut = std::chrono::steady_clock::now();
        const Status s = Construit_Base(KB_FLORA, (dossier_->Chemin() / "flora").string());
        const double secondes =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
        ASSERT_TRUE(s.ok()) << s.message();
        std::printf("[ timing ] demo flora built in %.2f s\n", secondes);
        auto c = Charge_Base({(dossier_->Chemin() / "flora/data/kestrane.sqlite").string(),
                              (dossier_->Chemin() / "flora/data/").string()},
                             nullptr);
        ASSERT_TRUE(c.Base) << c.Echec->Detail;
        base_ = std::move(c.Base);
    }
    static void TearDownTestSuite() {
        base_.reset();
        dossier_.reset();
    }
    void SetUp() override { ASSERT_TRUE(base_) << "the demo flora did not build"; }

    static std::string Premier(const std::vector<std::string>& reponses, int* pourcent = nullptr) {
        auto r = Classe(*base_, reponses);
        if (pourcent)
            *pourcent = r[0].Pourcent;
        return r[0].Espece;
    }

    static std::unique_ptr<Dossier_Test> dossier_;
    static std::unique_ptr<Base_Connaissance> base_;
};
std::unique_ptr<Dossier_Test> Flore_Demo::dossier_;
std::unique_ptr<Base_Connaissance> Flore_Demo::base_;

TEST_F(Flore_Demo, BuildsAndChecksClean) {
    std::string t;
    for (const auto& p : Verifie_Base((dossier_->Chemin() / "flora").string())) t += p.Texte() + "\n";
    EXPECT_EQ(t, "");
    // The default portrait, as the program composes it with no answer, shows every organ in the
    // palette colour of its character: a click outside the zones still finds the organ.
    const fs::path robot = dossier_->Chemin() / "flora/robot";
    std::vector<wmf::Metafichier> pieces;
    for (int p = 0; p < base_->Nb_Robot; ++p) {
        std::string nom;
        for (const auto& r : base_->Hierarchie)
            if (r.Robot_Num == p && r.Conditions.empty() && nom.empty())
                nom = r.Nom;
        if (p > 0)
            nom += "01.wmf";
        auto m =
            wmf::Metafichier::Lit_Fichier((robot / ((p < 10 ? "0" : "") + std::to_string(p)) / nom).string());
        ASSERT_TRUE(m.ok()) << nom;
        pieces.push_back(std::move(m).value());
    }
    std::vector<const wmf::Metafichier*> couches;
    for (const auto& m : pieces) couches.push_back(&m);
    QImage portrait(1200, 900, QImage::Format_RGB32);
    portrait.fill(Qt::white);
    wmf::Rendu_Wmf::Peint_Couches(portrait, couches, QRectF(0, 0, 1200, 900));
    wmf::Echantillonneur_Palette_Wmf echantillonneur((dossier_->Chemin() / "flora/data/couleur.wmf").string(),
                                                     40 * base_->Nb_Couleurs, 40);
    const auto palette = echantillonneur.Echantillonne(base_->Nb_Couleurs);
    ASSERT_EQ(static_cast<int>(palette.size()), base_->Nb_Couleurs);
    auto code_en = [&](int x, int y) {  // x, y in the 2400 x 1800 frame
        const QRgb p = portrait.pixel(x / 2, y / 2);
        double meilleur = 1e9;
        std::string code;
        for (size_t c = 0; c < palette.size(); ++c) {
            const double d = std::hypot(qRed(p) - (palette[c] & 0xFF), qGreen(p) - ((palette[c] >> 8) & 0xFF),
                                        qBlue(p) - ((palette[c] >> 16) & 0xFF));
            if (d < meilleur)
                meilleur = d, code = base_->Code_Couleur[c];
        }
        return code;
    };
    EXPECT_EQ(code_en(650, 500), "Crown");
    EXPECT_EQ(code_en(1000, 80), "Crown");  // the sky around it
    EXPECT_EQ(code_en(650, 1300), "Bark");
    EXPECT_EQ(code_en(75, 800), "Height");
    EXPECT_EQ(code_en(900, 1700), "Height");
    EXPECT_EQ(code_en(240, 1720), "Persistence");
    EXPECT_EQ(code_en(1480, 480), "Leaf_Type");
    EXPECT_EQ(code_en(2110, 380), "Fruit_Type");
    EXPECT_EQ(code_en(1400, 1290), "Thorns");
    EXPECT_EQ(code_en(1815, 1235), "Buds");
    // Large enough to be a real key.
    EXPECT_GE(base_->Nb_Esp, 40);
    EXPECT_GE(static_cast<int>(base_->Objets.size()), 20);
    EXPECT_GE(base_->Nb_Robot, 6);
    EXPECT_EQ(base_->Communs_Langues.size(), 3u);
}

// Each test of this fixture builds the flora once in its own process: the identifications share one.
TEST_F(Flore_Demo, IdentificationsGiveTheRightTrees) {
    // Pinnate leaves, opposite arrangement and a single-winged fruit: common ash.
    int pourcent = 0;
    EXPECT_EQ(Premier({"LC_PINNATE", "LA_OPP", "FR_SAMARA1"}, &pourcent), "Fraxinus excelsior");
    EXPECT_EQ(pourcent, 100);
    auto r = Classe(*base_, {"LC_PINNATE", "LA_OPP", "FR_SAMARA1"});
    EXPECT_LT(r[1].Pourcent, 100) << r[1].Espece << " ties with the ash";
    // Palmately compound leaves: horse-chestnut.
    EXPECT_EQ(Premier({"LC_PALMATE"}, &pourcent), "Aesculus hippocastanum");
    EXPECT_EQ(pourcent, 100);
    // The key features of other trees.
    struct Cas {
        std::vector<std::string> reponses;
        const char* espece;
    };
    const std::vector<Cas> cas{
        {{"LO_PINNATE", "BS_EARED", "FR_ACORN"}, "Quercus robur"},
        {{"LO_PINNATE", "BS_EVEN", "US_GREEN", "FR_ACORN", "HT_LARGE"}, "Quercus petraea"},
        {{"PE_EVERG", "FR_ACORN"}, "Quercus ilex"},
        {{"BA_SMOOTH", "BU_LONG", "FR_NUT", "LM_ENTIRE"}, "Fagus sylvatica"},
        {{"NA_FIVE"}, "Pinus cembra"},
        {{"NS_BANDS", "CP_UP"}, "Abies alba"},
        {{"NS_SQUARE", "CP_HANG"}, "Picea abies"},
        {{"PE_DECID", "LT_NEEDLE", "NA_TUFT"}, "Larix decidua"},
        {{"NA_WHORL", "FR_ARIL"}, "Juniperus communis"},
        {{"LT_NEEDLE", "NS_FLATGREEN", "FR_ARIL", "FC_RED"}, "Taxus baccata"},
        {{"LT_SCALE"}, "Cupressus sempervirens"},
        {{"TH_PAIRED", "FR_POD"}, "Robinia pseudoacacia"},
        {{"LA_OPP", "LC_PINNATE", "FR_DRUPE"}, "Sambucus nigra"},
        {{"LM_SPINY", "FC_RED"}, "Ilex aquifolium"},
        {{"BA_PLATES", "FR_BALLS"}, "Platanus × hispanica"},
        {{"BU_STALKED", "FR_CONE", "LT_BROAD"}, "Alnus glutinosa"},
        {{"LO_PALMATE", "US_GREY", "IN_LONG", "FR_SAMARA2"}, "Acer pseudoplatanus"},
        {{"US_WHITE", "LO_NONE", "FR_POME", "SH_OVAL"}, "Sorbus aria"},
        {{"LC_PINNATE", "LA_ALT", "FC_RED", "BU_ORDINARY"}, "Sorbus aucuparia"},
        {{"TH_THORN", "LO_PINNATE"}, "Crataegus monogyna"},
        {{"BS_UNEQUAL", "FR_SAMARAR", "LS_LARGE"}, "Ulmus glabra"},
        {{"BA_PEEL", "SH_TRIANG", "BA_FURROW"}, "Betula pendula"},
        {{"LC_PINNATE", "LA_ALT", "LM_ENTIRE", "FR_NUT"}, "Juglans regia"},
    };
    for (const auto& c : cas) {
        EXPECT_EQ(Premier(c.reponses, &pourcent), c.espece);
        EXPECT_EQ(pourcent, 100) << c.espece;
    }
}

// The zone search as the program runs it on a click (frames, Test_Cadre, conditions, first zone
// wins), for a set of answers; "" when no zone names an object.
std::string Zone_Cliquee(const Base_Connaissance& b, const std::vector<std::string>& reponses, double x,
                         double y) {
    std::vector<int> choisis(static_cast<size_t>(b.Nb_Etats_Desc), 0);
    std::vector<int> etat_cadre(static_cast<size_t>(b.Nb_Cadre), 0);
    for (const auto& id : reponses) {
        const int e = *b.Etat_Par_Identifiant(id);
        choisis[static_cast<size_t>(e)] = 1;
        for (const auto& o : b.Objets)
            if (e >= o.Index_Car && e < o.Index_Car + o.Nb_Car && o.Cadre >= 0)
                etat_cadre[static_cast<size_t>(o.Cadre)] = -1;
    }
    int cadre_courant = -1;
    for (const auto& z : b.Clic_Zone) {
        bool ok = z.Conditions_Terminees;
        for (const auto& c : z.Conditions)
            ok = ok && choisis[static_cast<size_t>(*b.Etat_Par_Identifiant(c))] == 1;
        if (!ok || z.Cadre == cadre_courant)
            continue;
        if (!z.Test_Cadre)
            cadre_courant = z.Cadre;
        if (!(z.X1 < x && x < z.X2 && z.Y1 < y && y < z.Y2))
            continue;
        if (z.Test_Cadre && etat_cadre[static_cast<size_t>(z.Cadre)] == 0)
            continue;
        return b.Trouve_Objet(z.Nom) ? z.Nom : "";
    }
    return "";
}

TEST_F(Flore_Demo, DataZonesAndNamesAreConsistent) {
    // Clicks on the portrait ask the question that fits the answers already given.
    struct Clic {
        std::vector<std::string> reponses;
        double x, y;
        const char* objet;
    };
    const std::vector<Clic> clics{
        {{}, 650, 500, "Crown"},
        {{}, 650, 1300, "Bark"},
        {{}, 75, 800, "Height"},
        {{}, 200, 1700, "Persistence"},
        {{}, 1530, 480, "Leaf_Type"},
        {{}, 1530, 150, "Leaf_Type"},
        {{"LT_BROAD"}, 1530, 480, "Composition"},
        {{"LT_BROAD"}, 1760, 480, "Margin"},
        {{"LT_BROAD"}, 1300, 960, "Underside"},
        {{"LT_BROAD"}, 1870, 500, "Leaf_Size"},
        {{"LT_BROAD"}, 1530, 950, "Arrangement"},
        {{"LT_BROAD", "LC_SIMPLE"}, 1530, 480, "Lobing"},
        {{"LT_BROAD", "LC_SIMPLE"}, 1530, 150, "Apex"},
        {{"LT_BROAD", "LC_SIMPLE"}, 1530, 770, "Base"},
        {{"LT_BROAD", "LC_SIMPLE"}, 1300, 480, "Shape"},
        {{"LT_BROAD", "LC_PINNATE"}, 1530, 480, "Leaflets"},
        {{"LT_BROAD", "LC_PALMATE"}, 1530, 480, "Leaflets"},
        {{"LT_NEEDLE"}, 1530, 480, "Needle_Arrangement"},
        {{"LT_NEEDLE"}, 1300, 960, "Needle_Section"},
        {{"LT_NEEDLE"}, 1870, 500, "Needle_Length"},
        {{}, 2150, 380, "Fruit_Type"},
        {{}, 2300, 650, "Fruit_Type"},
        {{"FR_DRUPE"}, 2300, 650, "Fruit_Colour"},
        {{"FR_ARIL"}, 2300, 650, "Fruit_Colour"},
        {{"FR_CONE"}, 2150, 100, "Cone_Position"},
        {{"FR_CONE"}, 1950, 400, "Cone_Size"},
        {{"FR_CONE"}, 2150, 400, "Fruit_Type"},
        {{"LT_BROAD"}, 2150, 800, "Inflorescence"},
        {{"LT_BROAD"}, 2150, 1100, "Flower"},
        {{}, 2150, 1100, ""},
        {{}, 1820, 1300, "Buds"},
        {{}, 1400, 1300, "Thorns"},
    };
    for (const auto& c : clics) {
        std::string quoi;
        for (const auto& r : c.reponses) quoi += r + " ";
        EXPECT_EQ(Zone_Cliquee(*base_, c.reponses, c.x, c.y), c.objet) << quoi << "at " << c.x << ", " << c.y;
    }

    // Every species answers every character that applies to it (one with no parent state, or one
    // whose parent state the species has) and none that does not: a forester never meets a
    // species that fails a plain answer for lack of data.
    std::map<std::string, std::vector<int>> parents;
    for (const auto& d : base_->Descendance)
        parents[d.Objet].push_back(*base_->Etat_Par_Identifiant(d.ID_CARAC));
    for (int s = 0; s < base_->Nb_Esp; ++s) {
        for (const auto& o : base_->Objets) {
            auto it = parents.find(o.Objet);
            bool applique = it == parents.end();
            if (it != parents.end())
                for (int e : it->second) applique = applique || base_->Matrice(s, e) == 1;
            bool repond = false;
            for (int e = o.Index_Car; e < o.Index_Car + o.Nb_Car; ++e)
                repond = repond || base_->Matrice(s, e) == 1;
            EXPECT_EQ(applique, repond) << base_->Nom_Esp[static_cast<size_t>(s)] << " / " << o.Objet;
        }
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
