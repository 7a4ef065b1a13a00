// The demo flora of the repository: it builds, checks, and gives the right trees.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include "Chargeur_Base.h"
#include "Construction_Base.h"
#include "Echantillonneur_Palette_Wmf.h"
#include "Metafichier.h"
#include "Outils_Test.h"
#include "Recherche_Objet.h"
#include "Rendu_Wmf.h"
#include "Verification_Base.h"

namespace fs = std::filesystem;

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

    static std::unique_ptr<Base_Connaissance> base_;
};
std::unique_ptr<Base_Connaissance> Flore_Demo::base_;

TEST_F(Flore_Demo, BuildsAndChecksClean) {
    std::string t;
    for (const auto& p : Verifie_Base(Dossier())) t += p.Texte() + "\n";
    EXPECT_EQ(t, "");
    // The default portrait, as the program composes it with no answer, shows every organ in the
    // palette colour of its character: a click outside the zones still finds the organ.
    const fs::path robot = fs::path(Dossier()) / "robot";
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
    ASSERT_EQ(static_cast<int>(base_->Couleur_Pixel.size()), base_->Nb_Couleurs);
    auto code_en = [&](int x, int y) {  // x, y in the 2400 x 1800 frame
        const QRgb p = portrait.pixel(x / 2, y / 2);
        return Couleur_Proche(*base_, qRed(p) | qGreen(p) << 8 | qBlue(p) << 16);
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
    EXPECT_EQ(code_en(960, 1350), "Bark_Colour");
    EXPECT_EQ(code_en(2150, 1400), "Bud_Colour");
    EXPECT_EQ(code_en(1300, 1140), "Twig");
    EXPECT_EQ(code_en(1270, 110), "Leaf_Texture");
    EXPECT_EQ(code_en(1730, 990), "Leaf_Stalk");
    EXPECT_EQ(code_en(1765, 100), "Scent");
    // Large enough to be a real key.
    EXPECT_GE(base_->Nb_Esp, 75);
    EXPECT_GE(static_cast<int>(base_->Objets.size()), 35);
    EXPECT_GE(base_->Nb_Robot, 6);
    EXPECT_EQ(base_->Communs_Langues.size(), 3u);
}

// Each test of this fixture builds the flora once in its own process: the identifications share one.
// The answers are the features a flora or a field guide gives for each tree (not read off the matrix).
struct Scenario {
    const char* espece;
    std::vector<std::string> reponses;
};

TEST_F(Flore_Demo, KeyFeaturesRankEachSpeciesAloneAtTheTop) {
    const std::vector<Scenario> scenarios{
        {"Abies alba", {"NS_BANDS", "CP_UP", "NT_BLUNT"}},
        {"Acer campestre", {"LO_PALMATE", "LA_OPP", "LM_ENTIRE", "TW_CORKY"}},
        {"Acer negundo", {"LC_PINNATE", "LA_OPP", "FR_SAMARA2", "TW_BLOOM"}},
        {"Acer platanoides", {"LO_PALMATE", "LA_OPP", "PS_MILKY", "CO_YELLOW", "LM_TOOTHED"}},
        {"Acer pseudoplatanus", {"LO_PALMATE", "LA_OPP", "PS_PLAIN", "BD_GREEN", "IN_LONG"}},
        {"Aesculus hippocastanum", {"LC_PALMATE", "BU_STICKY", "CO_WHITE"}},
        {"Aesculus × carnea", {"LC_PALMATE", "CO_PINK", "BU_ORDINARY"}},
        {"Ailanthus altissima", {"LC_PINNATE", "LF_MANY", "SM_FETID", "FR_SAMARA1"}},
        {"Alnus glutinosa", {"LT_BROAD", "FR_CONE", "AP_NOTCHED", "BU_STALKED"}},
        {"Alnus incana", {"LT_BROAD", "FR_CONE", "AP_POINTED", "US_GREY", "BA_SMOOTH"}},
        {"Betula pendula", {"BK_WHITE", "SH_TRIANG", "TE_DOUBLE", "TW_WARTY"}},
        {"Betula pubescens", {"BK_WHITE", "TE_SINGLE", "TW_HAIRY", "SH_OVAL"}},
        {"Buxus sempervirens", {"PE_EVERG", "LA_OPP", "LS_SMALL", "LM_ENTIRE"}},
        {"Carpinus betulus", {"BA_SMOOTH", "TE_DOUBLE", "FR_BRACT", "BP_PRESSED"}},
        {"Castanea sativa", {"TE_BRISTLE", "SH_NARROW", "HU_SPINY", "LS_LARGE"}},
        {"Catalpa bignonioides", {"LA_OPP", "BS_HEART", "LS_LARGE", "FR_POD"}},
        {"Cedrus atlantica", {"PE_EVERG", "NA_TUFT", "CS_MEDIUM"}},
        {"Cedrus deodara", {"PE_EVERG", "NA_TUFT", "NL_MEDIUM"}},
        {"Cedrus libani", {"PE_EVERG", "NA_TUFT", "CS_LARGE", "CR_IRREG"}},
        {"Chamaecyparis lawsoniana", {"LT_SCALE", "SP_FLAT", "SM_AROMATIC"}},
        {"Corylus avellana", {"HU_LEAFY", "BS_HEART", "TE_DOUBLE", "HT_SHRUB"}},
        {"Crataegus laevigata", {"TH_THORN", "LO_PINNATE", "LD_SHALLOW"}},
        {"Crataegus monogyna", {"TH_THORN", "LO_PINNATE", "LD_DEEP"}},
        {"Cupressus sempervirens", {"LT_SCALE", "SP_ROUND", "CR_COLUMN"}},
        {"Fagus sylvatica", {"BA_SMOOTH", "BU_LONG", "HU_SPINY", "LM_ENTIRE"}},
        {"Fraxinus excelsior", {"LC_PINNATE", "LA_OPP", "BD_BLACK", "FR_SAMARA1"}},
        {"Fraxinus ornus", {"LC_PINNATE", "LA_OPP", "CO_WHITE", "FR_SAMARA1"}},
        {"Ginkgo biloba", {"PE_DECID", "SH_TRIANG", "AP_NOTCHED", "LM_ENTIRE"}},
        {"Ilex aquifolium", {"PE_EVERG", "LM_SPINY", "FC_RED"}},
        {"Juglans nigra", {"LC_PINNATE", "LF_MANY", "HU_SMOOTH", "LM_TOOTHED"}},
        {"Juglans regia", {"LC_PINNATE", "LA_ALT", "LM_ENTIRE", "HU_SMOOTH", "SM_AROMATIC"}},
        {"Juniperus communis", {"NA_WHORL", "NS_JUNIPER", "FR_ARIL"}},
        {"Larix decidua", {"PE_DECID", "NA_TUFT", "NC_LIGHT", "TW_PLAIN"}},
        {"Larix kaempferi", {"PE_DECID", "NA_TUFT", "NC_BLUE", "TW_BLOOM"}},
        {"Liquidambar styraciflua", {"LO_PALMATE", "LA_ALT", "TW_CORKY", "FR_BALLS"}},
        {"Malus sylvestris", {"FR_POME", "FC_GREEN", "CO_PINK", "LO_NONE"}},
        {"Picea abies", {"NS_SQUARE", "CP_HANG", "NC_DARK", "CS_LARGE"}},
        {"Picea sitchensis", {"NS_BANDS", "NT_SHARP", "NC_BLUE", "CP_HANG"}},
        {"Pinus cembra", {"NA_FIVE", "CP_UP", "TW_HAIRY"}},
        {"Pinus mugo", {"NA_PAIR", "NL_SHORT", "HT_SHRUB", "NC_DARK"}},
        {"Pinus nigra", {"NA_PAIR", "NC_DARK", "NL_LONG", "BK_DARK"}},
        {"Pinus pinaster", {"NA_PAIR", "NL_LONG", "CS_LARGE", "BU_LONG"}},
        {"Pinus pinea", {"NA_PAIR", "CR_IRREG", "CS_LARGE", "BU_ORDINARY"}},
        {"Pinus strobus", {"NA_FIVE", "CP_HANG", "NC_BLUE"}},
        {"Pinus sylvestris", {"NA_PAIR", "BK_ORANGE", "NC_BLUE", "NL_MEDIUM"}},
        {"Platanus × hispanica", {"LO_PALMATE", "LA_ALT", "BA_PLATES", "FR_BALLS"}},
        {"Populus alba", {"US_WHITE", "LO_PALMATE", "TW_HAIRY", "BK_WHITE"}},
        {"Populus nigra", {"PS_FLAT", "SH_TRIANG", "BA_BURRS", "BU_STICKY"}},
        {"Populus tremula", {"PS_FLAT", "SH_ROUND", "TE_ROUND"}},
        {"Populus × canadensis", {"PS_GLANDS", "SH_TRIANG", "BU_STICKY"}},
        {"Prunus avium", {"PS_GLANDS", "BA_PEEL", "BK_ORANGE", "FR_DRUPE"}},
        {"Prunus cerasifera", {"FT_BEFORE", "FR_DRUPE", "FC_RED", "LS_SMALL"}},
        {"Prunus laurocerasus", {"PE_EVERG", "LX_LEATHERY", "SM_ALMOND"}},
        {"Prunus padus", {"PE_DECID", "PS_GLANDS", "IN_LONG", "FC_DARK"}},
        {"Prunus spinosa", {"TH_THORN", "FT_BEFORE", "FC_DARK"}},
        {"Pseudotsuga menziesii", {"NS_BANDS", "CP_HANG", "SM_FRUITY", "BU_LONG"}},
        {"Pyrus pyraster", {"FR_POME", "FC_GREEN", "BK_DARK", "BA_PLATES", "TH_THORN"}},
        {"Quercus cerris", {"LO_PINNATE", "BU_WHISKER", "AC_MOSSY", "LX_ROUGH"}},
        {"Quercus ilex", {"PE_EVERG", "FR_ACORN", "US_GREY", "LX_LEATHERY"}},
        {"Quercus petraea", {"LO_PINNATE", "LM_ENTIRE", "PS_PLAIN", "AC_SESSILE", "LX_PLAIN"}},
        {"Quercus pubescens", {"LO_PINNATE", "US_GREY", "LX_FELTED", "TW_HAIRY", "AC_SESSILE"}},
        {"Quercus robur", {"LO_PINNATE", "BS_EARED", "AC_STALK", "PS_SHORT"}},
        {"Quercus rubra", {"LO_PINNATE", "TE_BRISTLE", "LS_LARGE", "BA_SMOOTH"}},
        {"Robinia pseudoacacia", {"LC_PINNATE", "LM_ENTIRE", "FR_POD", "TH_PAIRED"}},
        {"Salix alba", {"SH_NARROW", "US_WHITE", "BU_ONESCALE"}},
        {"Salix caprea", {"BU_ONESCALE", "SH_OVAL", "LX_FELTED", "FT_BEFORE"}},
        {"Salix × fragilis", {"SH_NARROW", "US_GREY", "BU_ONESCALE", "PS_GLANDS"}},
        {"Sambucus nigra", {"LC_PINNATE", "LA_OPP", "FR_DRUPE", "SM_FETID"}},
        {"Sorbus aria", {"US_WHITE", "TE_DOUBLE", "FR_POME", "LO_NONE"}},
        {"Sorbus aucuparia", {"LC_PINNATE", "LA_ALT", "BD_BLACK", "FC_RED"}},
        {"Sorbus domestica", {"LC_PINNATE", "LA_ALT", "BU_STICKY", "FR_POME"}},
        {"Sorbus intermedia", {"US_GREY", "LO_PINNATE", "LD_SHALLOW", "FC_RED"}},
        {"Sorbus torminalis", {"LO_PINNATE", "LD_DEEP", "FR_POME", "FC_GREEN"}},
        {"Taxus baccata", {"LT_NEEDLE", "NS_FLATGREEN", "FR_ARIL", "FC_RED"}},
        {"Thuja plicata", {"LT_SCALE", "SP_FLAT", "SM_FRUITY"}},
        {"Tilia cordata", {"FR_BRACT", "BS_HEART", "US_GREY", "LS_SMALL"}},
        {"Tilia platyphyllos", {"FR_BRACT", "BS_HEART", "LX_FELTED", "TW_HAIRY"}},
        {"Tilia × europaea", {"FR_BRACT", "BS_HEART", "BA_BURRS", "US_GREEN"}},
        {"Ulmus glabra", {"BS_UNEQUAL", "LX_ROUGH", "PS_SHORT", "FR_SAMARAR"}},
        {"Ulmus minor", {"BS_UNEQUAL", "FR_SAMARAR", "LX_PLAIN", "TW_CORKY"}},
    };
    std::set<std::string> vues;
    for (const auto& sc : scenarios) {
        EXPECT_TRUE(sc.reponses.size() >= 3 && sc.reponses.size() <= 5) << sc.espece;
        const auto r = Classe(*base_, sc.reponses);
        ASSERT_GE(r.size(), 2u);
        EXPECT_EQ(r[0].Espece, sc.espece);
        EXPECT_EQ(r[0].Pourcent, 100) << sc.espece;
        EXPECT_LT(r[1].Pourcent, 100) << r[1].Espece << " ties with " << sc.espece;
        vues.insert(sc.espece);
    }
    // One scenario per species of the flora.
    EXPECT_EQ(static_cast<int>(vues.size()), base_->Nb_Esp);
}

// In winter a deciduous tree shows only its habit, bark, twigs and buds: these separate a tree to
// itself or to a group of at most three that a botanist also hesitates between.
TEST_F(Flore_Demo, WinterTwigsBarkAndBudsNarrowDeciduousTreesToThreeAtMost) {
    const std::vector<Scenario> hiver{
        {"Acer campestre", {"TW_CORKY", "BA_FURROW", "BD_BROWN", "BP_PRESSED"}},
        {"Acer negundo", {"TW_BLOOM", "BD_GREY"}},
        {"Acer platanoides", {"BD_RED", "BP_PRESSED", "BA_FURROW", "BK_GREY"}},
        {"Acer pseudoplatanus", {"BD_GREEN", "BA_PLATES", "SC_SMALL", "TW_PLAIN", "BP_SPREADING"}},
        {"Aesculus hippocastanum", {"BU_STICKY", "SC_LARGE", "BD_RED"}},
        {"Ailanthus altissima", {"SC_LARGE", "TW_HAIRY", "BD_RED", "BA_SMOOTH"}},
        {"Alnus glutinosa", {"BU_STALKED", "BK_DARK", "TW_PLAIN"}},
        {"Alnus incana", {"BU_STALKED", "BK_GREY", "TW_HAIRY"}},
        {"Betula pendula", {"BK_WHITE", "BA_PEEL", "TW_WARTY"}},
        {"Betula pubescens", {"BK_WHITE", "BA_PEEL", "TW_HAIRY"}},
        {"Carpinus betulus", {"BA_SMOOTH", "BK_GREY", "BU_LONG", "BP_PRESSED"}},
        {"Catalpa bignonioides", {"BU_HIDDEN", "SC_LARGE", "BA_PLATES"}},
        {"Corylus avellana", {"HT_SHRUB", "BA_SMOOTH", "BK_BROWN", "TW_HAIRY", "BD_GREEN"}},
        {"Crataegus monogyna", {"TH_THORN", "BK_GREY", "BD_RED"}},
        {"Fagus sylvatica", {"BA_SMOOTH", "BK_GREY", "BU_LONG", "BP_SPREADING"}},
        {"Fraxinus excelsior", {"BD_BLACK", "SC_LARGE", "BK_GREY"}},
        {"Fraxinus ornus", {"BD_GREY", "SC_LARGE", "BA_SMOOTH", "BK_GREY"}},
        {"Juglans nigra", {"BD_GREY", "SC_LARGE", "BA_FURROW", "BK_DARK"}},
        {"Juglans regia", {"BD_BLACK", "SC_LARGE", "BA_SMOOTH", "BK_GREY"}},
        {"Larix decidua", {"TW_PLAIN", "BD_BROWN", "BA_FURROW", "HT_LARGE", "CR_CONICAL"}},
        {"Larix kaempferi", {"TW_BLOOM", "BD_RED", "BA_FURROW"}},
        {"Liquidambar styraciflua", {"TW_CORKY", "BD_GREEN", "BA_FURROW"}},
        {"Platanus × hispanica", {"SC_RING", "BA_PLATES"}},
        {"Populus alba", {"BK_WHITE", "TW_HAIRY", "BD_GREY"}},
        {"Populus nigra", {"BU_STICKY", "BA_BURRS", "BK_DARK"}},
        {"Prunus avium", {"BK_ORANGE", "BA_PEEL", "BU_CLUSTER"}},
        {"Prunus padus", {"BU_LONG", "BP_PRESSED", "BK_DARK"}},
        {"Prunus spinosa", {"TH_THORN", "BK_DARK", "HT_SHRUB", "BD_BROWN"}},
        {"Quercus cerris", {"BU_WHISKER", "BA_FURROW", "TW_HAIRY"}},
        {"Quercus robur", {"BA_FURROW", "BK_GREY", "BU_CLUSTER", "BD_BROWN", "CR_IRREG"}},
        {"Quercus rubra", {"BA_SMOOTH", "BK_GREY", "BU_CLUSTER", "BD_RED"}},
        {"Robinia pseudoacacia", {"TH_PAIRED", "BU_HIDDEN", "BA_FIBRE"}},
        {"Salix caprea", {"BU_ONESCALE", "BD_RED"}},
        {"Sambucus nigra", {"TW_WARTY", "BA_FURROW", "BD_RED", "HT_SHRUB"}},
        {"Sorbus aucuparia", {"BD_BLACK", "BP_PRESSED", "BA_SMOOTH"}},
        {"Sorbus domestica", {"BU_STICKY", "BD_GREEN", "BA_PLATES"}},
        {"Sorbus torminalis", {"BD_GREEN", "TW_PLAIN", "BA_PLATES"}},
        {"Tilia platyphyllos", {"BD_RED", "TW_HAIRY", "BP_SPREADING", "BU_ORDINARY", "SC_SMALL"}},
        {"Tilia × europaea", {"BD_RED", "BA_BURRS"}},
        {"Ulmus glabra", {"TW_HAIRY", "BD_BROWN", "BK_GREY", "BA_SMOOTH", "HT_LARGE"}},
    };
    EXPECT_GE(hiver.size(), 30u);
    for (const auto& sc : hiver) {
        auto reponses = sc.reponses;
        reponses.push_back("PE_DECID");
        const auto r = Classe(*base_, reponses);
        std::vector<std::string> tete;
        for (const auto& rang : r)
            if (rang.Pourcent == r[0].Pourcent)
                tete.push_back(rang.Espece);
        EXPECT_NE(std::find(tete.begin(), tete.end(), sc.espece), tete.end()) << sc.espece;
        EXPECT_LE(tete.size(), 3u) << sc.espece << " among " << tete.size();
    }
}

// The object the program's zone search names for a click with these answers; "" for none.
std::string Zone_Cliquee(const Base_Connaissance& b, const std::vector<std::string>& reponses, double x,
                         double y) {
    std::vector<int16_t> choisis(static_cast<size_t>(b.Nb_Etats_Desc), 0);
    std::vector<int16_t> etat_cadre(static_cast<size_t>(b.Nb_Cadre), 0);
    for (const auto& id : reponses) {
        const int e = *b.Etat_Par_Identifiant(id);
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
        {{}, 960, 1350, "Bark_Colour"},
        {{}, 1785, 130, "Scent"},
        {{"LT_NEEDLE"}, 1785, 130, "Scent"},
        {{}, 1290, 130, "Leaf_Type"},
        {{"LT_BROAD"}, 1290, 130, "Leaf_Texture"},
        {{"LT_BROAD"}, 1760, 965, "Leaf_Stalk"},
        {{"LT_NEEDLE"}, 1530, 150, "Needle_Tip"},
        {{"LT_NEEDLE"}, 1760, 480, "Needle_Colour"},
        {{"LT_SCALE"}, 1530, 480, "Scale_Spray"},
        {{"LT_BROAD", "LM_TOOTHED"}, 1760, 350, "Teeth"},
        {{"LT_BROAD", "LM_TOOTHED"}, 1760, 600, "Margin"},
        {{"LT_BROAD", "LC_SIMPLE", "LO_PINNATE"}, 1530, 480, "Lobe_Depth"},
        {{"LT_BROAD", "LC_SIMPLE", "LO_PALMATE"}, 1530, 480, "Lobe_Depth"},
        {{"LT_BROAD", "LC_SIMPLE", "LO_PINNATE"}, 1400, 760, "Lobing"},
        {{"FR_NUT"}, 2300, 650, "Husk"},
        {{"FR_ACORN"}, 2300, 650, "Acorn"},
        {{"LT_BROAD"}, 2300, 1000, "Flower_Colour"},
        {{"PE_DECID"}, 2300, 1220, "Flowering_Time"},
        {{"LT_BROAD"}, 2300, 1220, "Flower"},
        {{}, 1300, 1180, "Twig"},
        {{"PE_DECID"}, 1520, 1260, "Bud_Position"},
        {{}, 1520, 1260, "Thorns"},
        {{"PE_DECID"}, 2150, 1530, "Leaf_Scar"},
        {{}, 2150, 1530, "Bud_Colour"},
        {{}, 2000, 1400, "Bud_Colour"},
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
