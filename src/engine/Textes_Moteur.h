#pragma once
// The interface texts the engine shows, in the current language. The caller fills them from the
// string table (base number + 1000 x Langue) and replaces them when the language changes.

#include <string>

namespace kestrane {

struct Textes_Moteur {
    std::string Especes_A = "species at";                                       // 1500: results label
    std::string Plus_Discriminant = "No more discriminant characteristic !!!";  // 1075
    std::string Essayer_Passes = "Do you want to try chararacteristics you didn't use ?";  // 1076
    std::string Une_Seule_Espece = "There is only one species";                            // 1078
};

}  // namespace kestrane
