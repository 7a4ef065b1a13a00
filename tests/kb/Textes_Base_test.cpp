#include "Textes_Base.h"

#include <gtest/gtest.h>

#include "Base_Test.h"
#include "Schema_Base.h"

namespace kestrane {
namespace {

// One character of two states, a button on each bar, two species (Abies without a legend).
std::unique_ptr<Base_Connaissance> Charge(const std::string& traductions, std::vector<std::string>& avertissements) {
    test::Description_Base d;
    d.sql = test::Parametres_SQL({{"Nb_Esp", "2"}, {"Nb_Etats_Desc", "2"}, {"Nb_Cadre", "1"},
                                  {"Nb_But_Deter", "1"}, {"Nb_But_Quest", "1"}}) +
            "INSERT INTO Flore VALUES ('Fagus sylvatica', 'FAGSY', 'Fagaceae', 'Smooth grey bark'),"
            " ('Abies alba', 'ABIAL', 'Pinaceae', NULL);"
            "INSERT INTO Caracteres VALUES (0, 'LEAF_BROAD', 'Broad leaves'), (1, 'LEAF_NEEDLE', 'Needles');"
            "INSERT INTO Objets_Fic VALUES ('LEAF', 0, 0, 2, 1, 2, 0, 'leaf.wmf', 'What are the leaves like?', -1);"
            "INSERT INTO But_Deter VALUES (1, 'Leaf', 'leaf.ico', 'The leaf', 'LEAF');"
            "INSERT INTO But_Quest VALUES (1, 'OK', 'ok.ico', 'Confirm');" +
            traductions;
    d.poids = {1, 1};
    d.matrice = {1, 0, 0, 1};
    test::Base_Temporaire fixture(d);
    Chargement c = Charge_Base(fixture.Lieux(), nullptr);
    avertissements = c.Avertissements;
    return std::move(c.Base);
}

// The question, both states, a caption, a tooltip and the legend, as shown in language `suffixe`.
std::vector<std::string> Vus(const Base_Connaissance& b, std::string_view suffixe) {
    const Textes_Base& t = b.Textes;
    return {t.Question(b.Objets.at(0), suffixe), t.Etat(b.Caracteres.at(0), suffixe),
            t.Etat(b.Caracteres.at(1), suffixe), t.Bouton(Caption_Deter, b.But_Deter.at(0), suffixe),
            t.Bouton(TipText_Quest, b.But_Quest.at(0), suffixe), t.Legende(b.Flore.at(1), suffixe)};
}

const std::vector<std::string> kPropres{"What are the leaves like?", "Broad leaves", "Needles", "Leaf", "Confirm",
                                        "Smooth grey bark"};

TEST(TextesBase, BaseWithoutTranslationsShowsItsOwnTextsInEveryLanguage) {
    std::vector<std::string> avertissements;
    const auto b = Charge("", avertissements);
    ASSERT_TRUE(b);
    EXPECT_TRUE(avertissements.empty());
    EXPECT_TRUE(b->Textes.Langues().empty());
    for (const char* suffixe : {"en", "es", "fr"}) EXPECT_EQ(Vus(*b, suffixe), kPropres) << suffixe;
}

TEST(TextesBase, EachLanguageAskedGetsItsTextsAndTheBaseTextWhereNoneIsGiven) {
    std::vector<std::string> avertissements;
    const auto b = Charge(Schema_Traductions_SQL() +
                              "INSERT INTO Langues_Textes VALUES ('en', 'English', -1), ('es', 'Español', 0),"
                              " ('fr', 'Français', 0);"
                              "INSERT INTO Traductions (Nom_Table, Cle, Champ, Langue, Texte) VALUES"
                              " ('Objets_Fic', 'leaf', 'TipText', 'fr', 'Comment sont les feuilles ?'),"
                              " ('objets_fic', 'LEAF', 'tiptext', 'es', '¿Cómo son las hojas?'),"
                              " ('Caracteres', 'LEAF_BROAD', 'TipText', 'fr', 'Feuilles larges'),"
                              " ('Caracteres', 'LEAF_NEEDLE', 'TipText', 'fr', ''),"
                              " ('But_Deter', '1', 'Caption', 'fr', 'Feuille'),"
                              " ('But_Quest', '1', 'TipText', 'es', 'Confirmar'),"
                              " ('Flore', 'FAGUS SYLVATICA', 'Legende', 'es', 'Corteza lisa y gris'),"
                              " ('Flore', 'Fagus sylvatica', 'Famille', 'es', 'Fagáceas');",
                          avertissements);
    ASSERT_TRUE(b);
    // The row that names no translatable text is passed over and said.
    ASSERT_EQ(avertissements.size(), 1u);
    EXPECT_NE(avertissements[0].find("Flore.Famille"), std::string::npos) << avertissements[0];
    // One lookup asked in turn, as when the user changes the language during a session; an empty
    // translation or a language the base does not offer gives the base's own text.
    const std::vector<std::string> francais{"Comment sont les feuilles ?", "Feuilles larges", "Needles",
                                            "Feuille", "Confirm", "Smooth grey bark"};
    const std::pair<const char*, std::vector<std::string>> attendus[] = {
        {"fr", francais},
        {"es", {"¿Cómo son las hojas?", "Broad leaves", "Needles", "Leaf", "Confirmar", "Corteza lisa y gris"}},
        {"en", kPropres}, {"de", kPropres}, {"FR", francais}};
    for (const auto& [suffixe, textes] : attendus) EXPECT_EQ(Vus(*b, suffixe), textes) << suffixe;
    EXPECT_EQ(b->Textes.Legende(b->Flore.at(0), "es"), "");  // no legend stays none

    const Textes_Base& t = b->Textes;
    ASSERT_EQ(t.Langues().size(), 3u);
    EXPECT_TRUE(t.Langues()[0].Origine);
    EXPECT_TRUE(t.Offre("es") && !t.Offre("de"));
    EXPECT_EQ(t.Suffixe_De("español"), "es");
    EXPECT_FALSE(t.Traduit(Texte_Etat, "LEAF_NEEDLE", "fr"));
    EXPECT_EQ(std::vector<std::string_view>({Suffixe_Interface(0), Suffixe_Interface(1), Suffixe_Interface(2)}),
              (std::vector<std::string_view>{"en", "es", "fr"}));
}

}  // namespace
}  // namespace kestrane
