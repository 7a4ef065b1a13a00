#include "Comparaison_Especes.h"

#include <algorithm>
#include <iterator>

namespace kestrane {

Comparaison_Especes Compare_Especes(const Base_Connaissance& base, int a, int b) {
    Comparaison_Especes c;
    c.Espece_A = a;
    c.Espece_B = b;
    const Matrice_Especes& m = base.Matrice;
    if (a < 0 || b < 0 || a >= m.Nb_Esp() || b >= m.Nb_Esp())
        return c;
    std::vector<Caractere_Compare> partiels;  // differing, with a state in common
    for (size_t p = 0; p < base.Objets.size(); ++p) {
        const Objet_Fic& o = base.Objets[p];
        if (o.Index_Car < 0 || o.Nb_Car <= 0 || o.Index_Car + o.Nb_Car > m.Nb_Etats())
            continue;
        Caractere_Compare car;
        car.Position = static_cast<int>(p);
        for (int e = o.Index_Car; e < o.Index_Car + o.Nb_Car; ++e) {
            if (m(a, e) != 0)
                car.Etats_A.push_back(e);
            if (m(b, e) != 0)
                car.Etats_B.push_back(e);
        }
        if (car.Etats_A.empty() && car.Etats_B.empty())
            continue;
        if (car.Etats_A.empty() || car.Etats_B.empty()) {
            c.Un_Seul.push_back(std::move(car));
        } else if (car.Etats_A == car.Etats_B) {
            c.Communs.push_back(std::move(car));
        } else {
            std::vector<int> communs;
            std::set_intersection(car.Etats_A.begin(), car.Etats_A.end(), car.Etats_B.begin(),
                                  car.Etats_B.end(), std::back_inserter(communs));
            car.Disjoints = communs.empty();
            (car.Disjoints ? c.Differents : partiels).push_back(std::move(car));
        }
    }
    c.Differents.insert(c.Differents.end(), std::make_move_iterator(partiels.begin()),
                        std::make_move_iterator(partiels.end()));
    return c;
}

}  // namespace kestrane
