#include "Contradictions_Espece.h"

#include <algorithm>

namespace kestrane {

std::vector<const Etat_Contredit*> Contradictions_Espece::Calques() const {
    std::vector<const Etat_Contredit*> calques;
    for (const auto& e : Etats) {
        if (!e.Dessin.empty())
            calques.push_back(&e);
    }
    return calques;
}

Contradictions_Espece Calcule_Contradictions(const Base_Connaissance& base,
                                             const std::vector<int16_t>& etats_choisis, int espece,
                                             const std::string& rep_robot, const std::string& rep_data,
                                             const Valeurs_Mesurees& valeurs) {
    Contradictions_Espece r;
    const bool espece_valide = espece >= 0 && espece < base.Matrice.Nb_Esp();
    if (espece_valide) {
        r.Espece = espece;
        const size_t nb_etats = std::min(etats_choisis.size(), static_cast<size_t>(base.Matrice.Nb_Etats()));
        for (const Objet_Fic& o : base.Objets) {
            if (o.Index_Car < 0 || o.Nb_Car <= 0 ||
                static_cast<size_t>(o.Index_Car) + static_cast<size_t>(o.Nb_Car) > nb_etats)
                continue;
            const Mesure_Objet* mesure = base.Mesure_De(static_cast<size_t>(&o - base.Objets.data()));
            std::optional<Intervalle> intervalle;
            if (mesure != nullptr)
                intervalle = Intervalle_Reponse(base, static_cast<size_t>(mesure - base.Mesures.data()),
                                                etats_choisis, valeurs);
            bool une_fois = false;
            for (int k = o.Index_Car; k < o.Index_Car + o.Nb_Car; ++k) {
                if (etats_choisis[static_cast<size_t>(k)] == 0)
                    continue;
                if (mesure != nullptr ? une_fois || !intervalle ||
                                            Rencontre(*mesure, static_cast<size_t>(espece), *intervalle)
                                      : base.Matrice(espece, k) == 1)
                    continue;
                une_fois = true;
                ++r.Nb_Dessins_Sup;
                Etat_Contredit c{o.Objet, o.TipText, k, -1, 0, {}};
                if (const Marque_Contradiction* m = base.Trouve_Contradiction(o.Objet)) {
                    if (m->Bouton == -1) {
                        c.Calque = base.Nb_Robot + r.Nb_Dessins_Sup;
                        c.Dessin = rep_robot + "CONTRA/" + m->Popup + ".wmf";
                    } else {
                        c.Bouton = m->Bouton;
                        r.Boutons.push_back(m->Bouton);
                    }
                }
                r.Etats.push_back(std::move(c));
            }
        }
    }
    for (const Bouton_Barre& b : base.But_Deter) {
        if (b.Numero < 1 || b.Numero > base.Nb_But_Deter)
            continue;
        Image_Bouton image{b.Numero, b.Caption, rep_data + b.File, false};
        if (std::find(r.Boutons.begin(), r.Boutons.end(), b.Numero) != r.Boutons.end()) {
            // A button whose key has no Contradictions row keeps its usual picture.
            if (const Marque_Contradiction* m = base.Trouve_Contradiction(b.Key)) {
                image.Image = rep_robot + "contra/" + m->Popup + ".ico";
                image.Contredit = true;
            }
        }
        r.Barre.push_back(std::move(image));
    }
    return r;
}

}  // namespace kestrane
