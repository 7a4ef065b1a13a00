#include "Noms_Especes.h"

#include <gtest/gtest.h>

#include "Base_Test.h"
#include "Chargeur_Base.h"
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

// The small base's four species with their common names in English and French, one given under
// its species' code in lower case and one under a code that is no species.
TEST(NomsEspeces, FindsAnyNameInAnyLanguageWithoutRegardToCaseOrAccentsAndSaysItsLanguage) {
    const test::Copie_Base copie("petite");
    copie.Execute_SQL("UPDATE Noms_Communs SET Code = 'pisyl' WHERE Nom = 'Pin sylvestre';"
                      "INSERT INTO Noms_Communs (Code, Langue, Nom) VALUES ('NOONE', 'English', 'Nobody');");
    const auto c = Charge_Base(copie.Lieux(), nullptr);
    ASSERT_TRUE(c.Base) << c.Echec->Message;
    const Noms_Especes noms = Noms_Especes::Lit(*c.Base);
    ASSERT_EQ(noms.Nombre_Especes(), 4u);  // Acer, Aesculus, Fraxinus, Pinus
    using V = std::vector<bool>;
    const std::pair<const char*, V> cas[] = {
        {"frene", {0, 0, 1, 0}},  {"FRÊNE COMMUN", {0, 0, 1, 0}}, {"fraxinus", {0, 0, 1, 0}},
        {"erable", {1, 0, 0, 0}}, {"maple", {1, 0, 0, 0}},        {"horse chestnut", {0, 1, 0, 0}},
        {"d'inde", {0, 1, 0, 0}}, {"pin sylv", {0, 0, 0, 1}},     {"Sapindaceae", {0, 0, 0, 0}},
        {"s", {1, 1, 1, 1}},      {"", {1, 1, 1, 1}},             {"  ", {1, 1, 1, 1}},
        {"nobody", {0, 0, 0, 0}}, {"ash\nsyc", {0, 0, 0, 0}}};
    for (const auto& [texte, attendu] : cas) EXPECT_EQ(noms.Correspondances(texte), attendu) << texte;
    std::vector<std::string> vus;
    for (const auto& n : noms.Noms(0)) vus.push_back(n.Texte + "|" + n.Langue);
    for (const auto& n : noms.Noms_Trouves(0, "SYCOMORE")) vus.push_back(n.Texte + "|" + n.Langue);
    EXPECT_EQ(vus, (std::vector<std::string>{"Acer pseudoplatanus|", "Sycamore|English", "Sycamore maple|English",
                                             "Érable sycomore|Français", "Érable sycomore|Français"}));
}

}  // namespace
}  // namespace kestrane
