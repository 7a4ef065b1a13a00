#include "Noms_Especes.h"

#include <gtest/gtest.h>

#include "Base_Connaissance.h"
#include "Base_Test.h"
#include "Pli_Texte.h"

namespace kestrane {
namespace {

TEST(Pli_Texte, CaseAccentsDashesAndBlanksDoNotMatter) {
    const std::pair<const char*, const char*> cas[] = {
        {"Érable Sycomore", "erable sycomore"}, {"CHÊNE pédonculé", "chene pedoncule"},
        {"  Horse--chestnut ", "horse chestnut"}, {"Marronnier d\u2019Inde", "marronnier d inde"},
        {"Castaño", "castano"}, {"Straße", "strasse"}, {"Œillet ø", "œillet ø"}, {"", ""}, {" \t ", ""}};
    for (const auto& [texte, plie] : cas) EXPECT_EQ(Plie_Texte(texte), plie) << texte;
}

// Four species, their common names in three languages through the "Vernaculaire_" views.
class NomsEspeces : public ::testing::Test {
  protected:
    void SetUp() override {
        dossier_ = test::Dossier_Temporaire("kestrane-noms");
        const std::string chemin = (dossier_ / "base.sqlite").string();
        test::Cree_Base_SQLite(chemin, 0, R"sql(
INSERT INTO Flore VALUES ('Quercus robur', 'QUERO', 'Fagaceae', ''), ('Acer pseudoplatanus', 'ACEPS', 'Sapindaceae', ''),
  ('Aesculus hippocastanum', 'AESHI', 'Sapindaceae', ''), ('Fagus sylvatica', 'FAGSY', 'Fagaceae', '');
INSERT INTO Communs_Langues (Langue) VALUES ('English'), ('French'), ('Spanish');
INSERT INTO Noms_Communs (Code, Langue, Nom) VALUES
  ('QUERO', 'English', 'Pedunculate oak'), ('quero', 'French', 'Chêne pédonculé'), ('QUERO', 'Spanish', 'Roble común'),
  ('ACEPS', 'English', 'Sycamore'), ('ACEPS', 'French', 'Érable sycomore'), ('ACEPS', 'Spanish', 'Arce blanco'),
  ('AESHI', 'English', 'Horse-chestnut'), ('AESHI', 'French', 'Marronnier d''Inde'),
  ('AESHI', 'Spanish', 'Castaño de Indias'), ('FAGSY', 'Spanish', 'Haya'), ('NOONE', 'English', 'Nobody');
)sql",
                               {"English", "French", "Spanish"});
        auto db = Database::Open_Read_Only(chemin);
        ASSERT_TRUE(db.ok());
        base_.Base_Donnees = std::move(*db);
        base_.Flore = {{"Quercus robur", "QUERO", "Fagaceae", ""},
                       {"Acer pseudoplatanus", "ACEPS", "Sapindaceae", ""},
                       {"Aesculus hippocastanum", "AESHI", "Sapindaceae", ""},
                       {"Fagus sylvatica", "FAGSY", "Fagaceae", ""}};
        base_.Communs_Langues = {"English", "French", "Spanish"};
    }
    void TearDown() override {
        base_.Base_Donnees.reset();
        std::filesystem::remove_all(dossier_);
    }
    std::filesystem::path dossier_;
    Base_Connaissance base_;
};

TEST_F(NomsEspeces, FindsAnyNameInAnyLanguageWithoutRegardToCaseOrAccents) {
    const Noms_Especes noms = Noms_Especes::Lit(base_);
    ASSERT_EQ(noms.Nombre_Especes(), 4u);
    using V = std::vector<bool>;
    const std::pair<const char*, V> cas[] = {
        {"chene", {1, 0, 0, 0}},         {"CHÊNE PÉDONCULÉ", {1, 0, 0, 0}}, {"quercus", {1, 0, 0, 0}},
        {"erable", {0, 1, 0, 0}},        {"castano de", {0, 0, 1, 0}},      {"horse chestnut", {0, 0, 1, 0}},
        {"d'inde", {0, 0, 1, 0}},        {"haya", {0, 0, 0, 1}},            {"Sapindaceae", {0, 0, 0, 0}},
        {"a", {1, 1, 1, 1}},             {"", {1, 1, 1, 1}},                {"  ", {1, 1, 1, 1}},
        {"nobody", {0, 0, 0, 0}},        {"oak\nsyc", {0, 0, 0, 0}}};
    for (const auto& [texte, attendu] : cas) EXPECT_EQ(noms.Correspondances(texte), attendu) << texte;
}

TEST_F(NomsEspeces, NamesFoundCarryTheirLanguage) {
    const Noms_Especes noms = Noms_Especes::Lit(base_);
    auto vus = [](const auto& noms) {
        std::vector<std::string> out;
        for (const auto& n : noms) out.push_back(n.Texte + "|" + n.Langue);
        return out;
    };
    ASSERT_EQ(noms.Noms(2).size(), 4u);
    EXPECT_EQ(vus(noms.Noms(2))[0], "Aesculus hippocastanum|");
    EXPECT_EQ(vus(noms.Noms_Trouves(2, "IND")),
              (std::vector<std::string>{"Marronnier d'Inde|French", "Castaño de Indias|Spanish"}));
}

}  // namespace
}  // namespace kestrane
