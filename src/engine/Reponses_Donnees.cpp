#include "Reponses_Donnees.h"

#include <algorithm>

namespace kestrane {
namespace {

// The character's states as a range of `etats`; empty when it lies outside.
bool Plage(const Objet_Fic& o, const std::vector<int16_t>& etats, size_t& debut, size_t& fin) {
    if (o.Index_Car < 0 || o.Nb_Car <= 0 ||
        static_cast<size_t>(o.Index_Car) + static_cast<size_t>(o.Nb_Car) > etats.size())
        return false;
    debut = static_cast<size_t>(o.Index_Car);
    fin = debut + static_cast<size_t>(o.Nb_Car);
    return true;
}

}  // namespace

bool Est_Repondu(const Base_Connaissance& base, const std::vector<int16_t>& etats, size_t objet) {
    size_t debut = 0, fin = 0;
    if (objet >= base.Objets.size() || !Plage(base.Objets[objet], etats, debut, fin))
        return false;
    return std::any_of(etats.begin() + static_cast<std::ptrdiff_t>(debut),
                       etats.begin() + static_cast<std::ptrdiff_t>(fin), [](int16_t v) { return v != 0; });
}

std::vector<size_t> Caracteres_Repondus(const Base_Connaissance& base, const std::vector<int16_t>& etats) {
    std::vector<size_t> repondus;
    for (size_t o = 0; o < base.Objets.size(); ++o) {
        if (Est_Repondu(base, etats, o))
            repondus.push_back(o);
    }
    std::stable_sort(repondus.begin(), repondus.end(),
                     [&](size_t a, size_t b) { return base.Objets[a].Index_Car < base.Objets[b].Index_Car; });
    return repondus;
}

std::vector<Reponse_Decrite> Decrit_Reponses(const Base_Connaissance& base, const std::vector<int16_t>& etats,
                                             const std::vector<size_t>& ordre, std::string_view suffixe,
                                             const Valeurs_Mesurees& valeurs) {
    std::vector<Reponse_Decrite> reponses;
    for (const size_t o : ordre) {
        if (!Est_Repondu(base, etats, o))
            continue;
        const Objet_Fic& objet = base.Objets[o];
        Reponse_Decrite r{o, objet.Objet, base.Textes.Question(objet, suffixe), {}, {}, {}};
        if (const Mesure_Objet* m = base.Mesure_De(o)) {
            r.Unite = m->Unite;
            if (const auto i = static_cast<size_t>(m - base.Mesures.data()); i < valeurs.size())
                r.Mesure = valeurs[i];
        }
        for (int k = 0; k < objet.Nb_Car; ++k) {
            const int numero = objet.Index_Car + k;
            const int16_t valeur = etats[static_cast<size_t>(numero)];
            const Etat_Caractere* etat = base.Etat_Par_Numero(numero);
            if (valeur == 0 || etat == nullptr)
                continue;
            r.Etats.push_back({numero, k, valeur, etat->ID_CARAC, base.Textes.Etat(*etat, suffixe)});
        }
        reponses.push_back(std::move(r));
    }
    return reponses;
}

std::string Texte_Mesure(const Valeur_Mesuree& v, const std::string& unite) {
    std::string texte = Texte_Nombre(v.Valeur) + (unite.empty() ? "" : " " + unite);
    if (v.Tolerance > 0)
        texte += " (\u00b1 " + Texte_Nombre(v.Tolerance) + " %)";
    return texte;
}

}  // namespace kestrane
