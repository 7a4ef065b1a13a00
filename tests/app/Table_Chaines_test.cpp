#include "Table_Chaines.h"

#include <gtest/gtest.h>

#include <set>

namespace kestrane {
namespace {

std::set<int> Plage(int debut, int fin) {
    std::set<int> s;
    for (int n = debut; n <= fin; ++n) s.insert(n);
    return s;
}

std::set<int> Union(std::initializer_list<std::set<int>> parts) {
    std::set<int> s;
    for (const auto& p : parts) s.insert(p.begin(), p.end());
    return s;
}

TEST(TableChaines, HoldsExactlyTheEntriesOfEachLanguage) {
    const auto attendu = Union({
        // English
        Plage(1000, 1032), Plage(1036, 1078), Plage(1100, 1117), {1200}, Plage(1300, 1302), Plage(1400, 1401), {1500},
        // Spanish, with the label 2302 and 2500 that English and French have
        Plage(2000, 2078), Plage(2100, 2117), {2200}, Plage(2300, 2302), {2400}, {2500},
        // French
        Plage(3000, 3032), Plage(3036, 3047), {3050}, Plage(3052, 3078), Plage(3100, 3117), Plage(3200, 3201),
        Plage(3300, 3302), Plage(3400, 3402), {3500},
    });
    const auto numeros = Numeros_Chaines();
    EXPECT_EQ(std::set<int>(numeros.begin(), numeros.end()), attendu);
}

TEST(TableChaines, GapsBetweenLanguagesAreReportedToTheCaller) {
    for (int base : {1048, 1049, 1051}) {
        EXPECT_TRUE(Chaine(base, 1).has_value()) << base;
        EXPECT_FALSE(Chaine(base, 2).has_value()) << base;
    }
    for (int base : {1033, 1034, 1035}) {
        EXPECT_FALSE(Chaine(base, 0).has_value()) << base;
        EXPECT_TRUE(Chaine(base, 1).has_value()) << base;
    }
    EXPECT_FALSE(Chaine(1201, 0).has_value());
    EXPECT_EQ(Chaine(1201, 2), "8");
    EXPECT_FALSE(Chaine(1401, 1).has_value());
    EXPECT_EQ(Chaine(1402, 2), "Aires de répartition");
    EXPECT_FALSE(Texte_Chaine(999).has_value());
    EXPECT_FALSE(Texte_Chaine(4000).has_value());
}

TEST(TableChaines, TextsUsedByTheProgramAreExact) {
    EXPECT_EQ(Chaine(1500, 0), "species at");
    EXPECT_EQ(Chaine(1500, 2), "espèces à");
    EXPECT_EQ(Chaine(1500, 1), "especies al");
    EXPECT_EQ(Chaine(1052, 0), "Kestrane Files (*.ido)|*.ido|All Files (*.*)|*.*");
    EXPECT_EQ(Chaine(1052, 2), "Fichiers Kestrane (*.ido)|*.ido|Tous (*.*)|*.*");
    EXPECT_EQ(Chaine(1074, 1), " no disponible !");
    EXPECT_EQ(Chaine(1076, 0), "Do you want to try chararacteristics you didn't use ?");
    EXPECT_EQ(Chaine(1070, 0), "Error during loading the file Matrice.dat, please re-install");
    EXPECT_EQ(Chaine(1200, 2), "MS Sans Serif");
    // The name-and-version line starts with the name and carries the rights notice.
    for (int langue = 0; langue < 3; ++langue) {
        const std::string ligne(*Chaine(1050, langue));
        EXPECT_EQ(ligne.rfind("Kestrane V.1.0", 0), 0u);
        EXPECT_GT(ligne.size(), std::string("Kestrane V.1.0").size());
    }
}

TEST(TableChaines, EnglishFallbackForMessagesThatMustShowSomething) {
    EXPECT_EQ(Chaine_Ou_Anglais(1048, 2), "Warning: ...");
    EXPECT_EQ(Chaine_Ou_Anglais(1048, 1), "Cuidado: ...");
    EXPECT_EQ(Chaine_Ou_Anglais(1999, 0), "");
}

}  // namespace
}  // namespace kestrane
