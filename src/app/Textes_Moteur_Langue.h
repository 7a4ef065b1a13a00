#pragma once
// The engine's texts in an interface language, from the string table.

#include "Table_Chaines.h"
#include "Textes_Moteur.h"

namespace kestrane {

inline Textes_Moteur Textes_Moteur_Langue(int langue) {
    Textes_Moteur t;
    t.Especes_A = Chaine_Ou_Anglais(1500, langue);
    t.Plus_Discriminant = Chaine_Ou_Anglais(1075, langue);
    t.Essayer_Passes = Chaine_Ou_Anglais(1076, langue);
    t.Une_Seule_Espece = Chaine_Ou_Anglais(1078, langue);
    return t;
}

}  // namespace kestrane
