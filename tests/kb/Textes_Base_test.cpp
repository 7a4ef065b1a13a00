#include "Textes_Base.h"

#include <gtest/gtest.h>

#include "Base_Test.h"
#include "Schema_Base.h"

namespace kestrane {
namespace {

using test::Base_Temporaire;
using test::Description_Base;

// One character of two states, one button on each bar, two species (one without a legend);
// `traductions` runs after the rows.
Description_Base Base_Textes(const std::string& traductions) {
    Description_Base d;
    d.sql = test::Parametres_SQL({{"Nb_Esp", "2"}, {"Nb_Etats_Desc", "2"}, {"Nb_Cadre", "1"},
                                  {"Nb_But_Deter", "1"}, {"Nb_But_Quest", "1"}}) +
            "INSERT INTO Flore VALUES ('Fagus sylvatica', 'FAGSY', 'Fagaceae', 'Smooth grey bark'),"
            " ('Abies alba', 'ABIAL', 'Pinaceae', NULL);\n"
            "INSERT INTO Caracteres VALUES (0, 'LEAF_BROAD', 'Broad leaves'), (1, 'LEAF_NEEDLE', 'Needles');\n"
            "INSERT INTO Objets_Fic VALUES ('LEAF', 0, 0, 2, 1, 2, 0, 'leaf.wmf', 'What are the leaves like?', -1);\n"
            "INSERT INTO But_Deter VALUES (1, 'Leaf', 'leaf.ico', 'The leaf', 'LEAF');\n"
            "INSERT INTO But_Quest VALUES (1, 'OK', 'ok.ico', 'Confirm');\n" +
            traductions;
    d.poids = {1, 1};
    d.matrice = {1, 0, 0, 1};
    return d;
}

const std::string kTraductions =
    Schema_Traductions_SQL() +
    "INSERT INTO Langues_Textes VALUES ('en', 'English', -1), ('es', 'Español', 0), ('fr', 'Français', 0);\n"
    "INSERT INTO Traductions (Nom_Table, Cle, Champ, Langue, Texte) VALUES"
    " ('Objets_Fic', 'leaf', 'TipText', 'fr', 'Comment sont les feuilles ?'),"
    " ('objets_fic', 'LEAF', 'tiptext', 'es', '¿Cómo son las hojas?'),"
    " ('Caracteres', 'LEAF_BROAD', 'TipText', 'fr', 'Feuilles larges'),"
    " ('Caracteres', 'LEAF_NEEDLE', 'TipText', 'fr', ''),"
    " ('But_Deter', '1', 'Caption', 'fr', 'Feuille'), ('But_Quest', '1', 'TipText', 'es', 'Confirmar'),"
    " ('Flore', 'FAGUS SYLVATICA', 'Legende', 'es', 'Corteza lisa y gris'),"
    " ('Flore', 'Fagus sylvatica', 'Famille', 'es', 'Fagáceas');\n";

struct Textes_Vus {
    std::string question, etat0, etat1, caption, tiptext_quest, legende;
    bool operator==(const Textes_Vus&) const = default;
};

Textes_Vus Vus(const Base_Connaissance& b, std::string_view suffixe) {
    const Textes_Base& t = b.Textes;
    return {t.Question(b.Objets.at(0), suffixe),       t.Etat(b.Caracteres.at(0), suffixe),
            t.Etat(b.Caracteres.at(1), suffixe),       t.Bouton(Caption_Deter, b.But_Deter.at(0), suffixe),
            t.Bouton(TipText_Quest, b.But_Quest.at(0), suffixe), t.Legende(b.Flore.at(1), suffixe)};
}

const Textes_Vus kAnglais{"What are the leaves like?", "Broad leaves", "Needles", "Leaf", "Confirm", "Smooth grey bark"};

TEST(TextesBase, BaseWithoutTranslationsShowsItsOwnTextsInEveryLanguage) {
    Base_Temporaire fixture(Base_Textes(""));
    const Chargement c = Charge_Base(fixture.Lieux(), nullptr);
    ASSERT_TRUE(c.Base);
    EXPECT_TRUE(c.Avertissements.empty()) << c.Avertissements.front();
    EXPECT_TRUE(c.Base->Textes.Langues().empty());
    EXPECT_FALSE(c.Base->Textes.Offre("fr"));
    for (const char* suffixe : {"en", "es", "fr"}) EXPECT_EQ(Vus(*c.Base, suffixe), kAnglais) << suffixe;
}

TEST(TextesBase, EachLanguageAskedGetsItsTextsAndTheBaseTextWhereNoneIsGiven) {
    Base_Temporaire fixture(Base_Textes(kTraductions));
    const Chargement c = Charge_Base(fixture.Lieux(), nullptr);
    ASSERT_TRUE(c.Base);
    // The row that names no translatable text is passed over and said.
    ASSERT_EQ(c.Avertissements.size(), 1u);
    EXPECT_NE(c.Avertissements[0].find("Flore.Famille"), std::string::npos) << c.Avertissements[0];
    // The same lookup asked in turn, as when the user changes the language during a session.
    const std::pair<const char*, Textes_Vus> attendus[] = {
        {"fr", {"Comment sont les feuilles ?", "Feuilles larges", "Needles", "Feuille", "Confirm", "Smooth grey bark"}},
        {"es", {"¿Cómo son las hojas?", "Broad leaves", "Needles", "Leaf", "Confirmar", "Corteza lisa y gris"}},
        {"en", kAnglais},
        {"de", kAnglais},  // a language the base does not offer
        {"FR", {"Comment sont les feuilles ?", "Feuilles larges", "Needles", "Feuille", "Confirm", "Smooth grey bark"}},
    };
    for (const auto& [suffixe, textes] : attendus) EXPECT_EQ(Vus(*c.Base, suffixe), textes) << suffixe;
    // The species without a legend keeps none.
    EXPECT_EQ(c.Base->Textes.Legende(c.Base->Flore.at(0), "es"), "");
}

TEST(TextesBase, DeclaredLanguagesAndTheInterfaceSuffixes) {
    Base_Temporaire fixture(Base_Textes(kTraductions));
    const Chargement c = Charge_Base(fixture.Lieux(), nullptr);
    ASSERT_TRUE(c.Base);
    const Textes_Base& t = c.Base->Textes;
    ASSERT_EQ(t.Langues().size(), 3u);
    EXPECT_TRUE(t.Langues()[0].Origine);
    EXPECT_TRUE(t.Offre("es"));
    EXPECT_FALSE(t.Offre("de"));
    EXPECT_EQ(t.Suffixe_De("español"), "es");
    EXPECT_EQ(t.Suffixe_De("Deutsch"), "");
    EXPECT_TRUE(t.Traduit(Question_Objet, "Leaf", "es"));
    EXPECT_FALSE(t.Traduit(Texte_Etat, "LEAF_NEEDLE", "fr"));  // an empty text is no translation
    EXPECT_EQ(Suffixe_Interface(0), "en");
    EXPECT_EQ(Suffixe_Interface(1), "es");
    EXPECT_EQ(Suffixe_Interface(2), "fr");
    EXPECT_EQ(Suffixe_Interface(7), "en");
}

}  // namespace
}  // namespace kestrane
