#include "Identification_Courante.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

Identification_Courante::Identification_Courante(const Base_Connaissance& base, Reglages_Moteur reglages,
                                                 Observateur_Identification& observateur,
                                                 Dialogue_Utilisateur& dialogue)
    : base_(base),
      reglages_(std::move(reglages)),
      observateur_(observateur),
      dialogue_(dialogue),
      etats_choisis_(static_cast<size_t>(std::max<int>(base.Nb_Etats_Desc, 0)), 0),
      etat_cadre_(static_cast<size_t>(std::max<int>(base.Nb_Cadre, 0)), 0),
      joker_(base.Joker),
      valeurs_(base.Mesures.size()),
      descendance_(base),
      calcul_(base),
      resultats_(Resultats_Classement::Initial(base.Nb_Esp)),
      recherche_(base),
      portrait_(base, reglages_.Rep_Robot) {}

Status Identification_Courante::Demarre() {
    Nettoye();
    Status s = Actualise_Identification();
    modifiee_ = false;
    return s;
}

Status Identification_Courante::Nouvelle_Identification() {
    Nettoye();
    Status s = Actualise_Identification();
    Recharge_Joker();
    modifiee_ = false;
    return s;
}

int Identification_Courante::Choix_Donne(int index_car, int nb_car) const {
    if (index_car < 0 || nb_car < 0 || index_car > static_cast<int>(etats_choisis_.size()) - nb_car)
        return -1;
    int choix = -1;
    for (int j = 0; j < nb_car; ++j) {
        if (etats_choisis_[static_cast<size_t>(index_car) + static_cast<size_t>(j)] != 0)
            choix = j;
    }
    return choix;
}

std::optional<Valeur_Mesuree> Identification_Courante::Valeur_De(size_t position) const {
    const Mesure_Objet* m = base_.Mesure_De(position);
    if (m == nullptr)
        return std::nullopt;
    return valeurs_[static_cast<size_t>(m - base_.Mesures.data())];
}

void Identification_Courante::Oublie_Valeurs_Orphelines() {
    for (size_t m = 0; m < valeurs_.size(); ++m)
        if (valeurs_[m] && !Intervalle_Reponse(base_, m, etats_choisis_, {}))
            valeurs_[m].reset();
}

void Identification_Courante::Nettoye() {
    std::fill(valeurs_.begin(), valeurs_.end(), std::nullopt);
    std::fill(etats_choisis_.begin(), etats_choisis_.end(), 0);
    std::fill(etat_cadre_.begin(), etat_cadre_.end(), 0);
    car_passe_ = false;
}

Status Identification_Courante::Valid_Descripteur() {
    const int f = Question.Index_Car;
    const int n = Question.Nb_Car;
    const int p = Question.Choix;
    const int cadre = Question.Cadre;
    const int nb_etats = static_cast<int>(etats_choisis_.size());
    if (f < 0 || n < 0 || f > nb_etats - n) {
        return Status::Error("character \"" + Question.Objet + "\": states " + std::to_string(f) + " .. " +
                             std::to_string(static_cast<int64_t>(f) + n - 1) + " outside 0 .. " + std::to_string(nb_etats - 1));
    }
    if (p < -1 || p >= n) {
        return Status::Error("character \"" + Question.Objet + "\": state " + std::to_string(p) +
                             " outside 0 .. " + std::to_string(n - 1));
    }
    if (cadre < -1 || cadre >= static_cast<int>(etat_cadre_.size())) {
        return Status::Error("character \"" + Question.Objet + "\": frame " + std::to_string(cadre) +
                             " outside 0 .. " + std::to_string(static_cast<int>(etat_cadre_.size()) - 1));
    }
    auto marque_cadre = [&](int16_t valeur) {
        if (cadre != -1)
            etat_cadre_[static_cast<size_t>(cadre)] = valeur;
    };
    // An answer by class replaces a measured value.
    if (const Objet_Fic* o = base_.Trouve_Objet(Question.Objet))
        if (const Mesure_Objet* m = base_.Mesure_De(static_cast<size_t>(o - base_.Objets.data())))
            valeurs_[static_cast<size_t>(m - base_.Mesures.data())].reset();

    int64_t somme = 0;
    int dernier = -1;
    for (int i = f; i < f + n; ++i) {
        somme += etats_choisis_[static_cast<size_t>(i)];
        if (etats_choisis_[static_cast<size_t>(i)] == 1)
            dernier = i;
    }
    if (somme == 0 && p == -1)
        return Status::Ok();
    if (p == dernier - f && somme == 1)
        return Status::Ok();

    if (dernier != -1)
        Nettoie_Descendance(dernier);

    for (int i = f; i < f + n; ++i) {
        auto& etat = etats_choisis_[static_cast<size_t>(i)];
        if (i == f + p && etat == 1) {
            // The picked state is already chosen: it and the states after it stay as they are.
            marque_cadre(-1);
            return Status::Ok();
        }
        etat = 0;
    }
    if (p != -1) {
        etats_choisis_[static_cast<size_t>(f) + static_cast<size_t>(p)] = 1;
        marque_cadre(-1);
    } else {
        marque_cadre(0);
    }
    return Status::Ok();
}

void Identification_Courante::Nettoie_Descendance(int ancien_provenance) {
    descendance_.Nettoie_Descendance(ancien_provenance, etats_choisis_);
    Oublie_Valeurs_Orphelines();
}

Status Identification_Courante::Valid_Mesure(double valeur, double tolerance) {
    const Objet_Fic* o = base_.Trouve_Objet(Question.Objet);
    const Mesure_Objet* m = o == nullptr ? nullptr : base_.Mesure_De(static_cast<size_t>(o - base_.Objets.data()));
    if (m == nullptr)
        return Status::Error("character \"" + Question.Objet + "\" is not measured");
    if (!std::isfinite(valeur) || !std::isfinite(tolerance) || tolerance < 0)
        return Status::Error("character \"" + Question.Objet + "\": a value and a tolerance of 0 % or more are needed");
    Question = Question_Courante::De_Objet(*o);
    const Valeur_Mesuree v{valeur, tolerance};
    const std::vector<int> classes = Classes_Rencontrees(*m, Intervalle_Valeur(v));
    const int f = o->Index_Car;
    int dernier = -1;
    for (int i = f; i < f + o->Nb_Car; ++i)
        if (etats_choisis_[static_cast<size_t>(i)] == 1)
            dernier = i;
    if (dernier != -1)
        Nettoie_Descendance(dernier);
    for (int i = f; i < f + o->Nb_Car; ++i) etats_choisis_[static_cast<size_t>(i)] = 0;
    for (int k : classes) etats_choisis_[static_cast<size_t>(f + k)] = 1;
    if (o->Cadre >= 0 && static_cast<size_t>(o->Cadre) < etat_cadre_.size())
        etat_cadre_[static_cast<size_t>(o->Cadre)] = -1;
    valeurs_[static_cast<size_t>(m - base_.Mesures.data())] = v;
    return Status::Ok();
}

Status Identification_Courante::Actualise_Identification() {
    if (!modifiee_) {
        modifiee_ = true;
        observateur_.Identification_Devenue_Modifiee();
    }
    // A drawing that cannot be loaded does not keep the species from being ranked.
    Status composition = portrait_.Compose(etats_choisis_, observateur_);
    Remplit_Liste_Esp();
    return composition;
}

void Identification_Courante::Remplit_Liste_Esp() {
    calcul_.Calcule(etats_choisis_, valeurs_, resultats_);
    Remplit_Liste(base_, resultats_, reglages_.Seuil_Pourcent, reglages_.Textes.Especes_A, liste_);
    observateur_.Liste_Esp_Remplie(liste_);
}

Status Identification_Courante::Remplace_Reponses(std::vector<int16_t> etats_choisis,
                                                  std::vector<int16_t> etat_cadre) {
    if (etats_choisis.size() != etats_choisis_.size() || etat_cadre.size() != etat_cadre_.size()) {
        return Status::Error("the answers hold " + std::to_string(etats_choisis.size()) + " states and " +
                             std::to_string(etat_cadre.size()) + " frames; the knowledge base has " +
                             std::to_string(etats_choisis_.size()) + " and " +
                             std::to_string(etat_cadre_.size()));
    }
    etats_choisis_ = std::move(etats_choisis);
    etat_cadre_ = std::move(etat_cadre);
    std::fill(valeurs_.begin(), valeurs_.end(), std::nullopt);  // a file holds the classes only
    return Status::Ok();
}

Status Identification_Courante::Restaure(std::vector<int16_t> etats_choisis, std::vector<int16_t> etat_cadre,
                                         std::vector<bool> joker, bool car_passe, Valeurs_Mesurees valeurs) {
    if (Status s = Remplace_Reponses(std::move(etats_choisis), std::move(etat_cadre)); !s)
        return s;
    joker_ = std::move(joker);
    car_passe_ = car_passe;
    if (valeurs.size() == valeurs_.size())
        valeurs_ = std::move(valeurs);
    Oublie_Valeurs_Orphelines();
    return Status::Ok();
}

void Identification_Courante::Change_Textes(const Textes_Moteur& textes) {
    reglages_.Textes = textes;
    Retraduit_Legende(resultats_, reglages_.Textes.Especes_A, liste_);
}

void Identification_Courante::Change_Seuil(int seuil) {
    if (seuil == reglages_.Seuil_Pourcent)
        return;
    reglages_.Seuil_Pourcent = seuil;
    Refiltre_Liste(base_, resultats_, seuil, liste_);
    observateur_.Liste_Esp_Remplie(liste_);
}

Issue_Recherche Identification_Courante::Maitre_Discriminant() {
    if (liste_.Nb_Esp_Max == 1) {
        dialogue_.Message(reglages_.Textes.Une_Seule_Espece);
        return Issue_Recherche::Une_Seule_Espece;
    }
    return Cherche_Discriminant();
}

Issue_Recherche Identification_Courante::Cherche_Discriminant() {
    for (;;) {
        // No species reaches the threshold: every species is a candidate.
        if (liste_.Nb_Esp_Max == 0)
            liste_.Nb_Esp_Max = base_.Nb_Esp;
        const int meilleur = recherche_.Calcule(etats_choisis_, joker_, resultats_.Classement_Esp,
                                                liste_.Nb_Esp_Max, pouvoir_, reglages_.Strategie);
        if (meilleur >= 0) {
            Question = Question_Courante::De_Objet(base_.Objets[static_cast<size_t>(meilleur)]);
            return Issue_Recherche::Proposee;
        }
        if (!car_passe_) {
            dialogue_.Message(reglages_.Textes.Plus_Discriminant);
            return Issue_Recherche::Aucune;
        }
        if (!dialogue_.Question_Oui_Non(reglages_.Textes.Plus_Discriminant + "\n" +
                                        reglages_.Textes.Essayer_Passes)) {
            return Issue_Recherche::Refusee;
        }
        car_passe_ = false;
        Recharge_Joker();
    }
}

Issue_Recherche Identification_Courante::Passe_Caractere() {
    car_passe_ = true;
    if (Question.Desc_Num >= 0 && static_cast<size_t>(Question.Desc_Num) < joker_.size()) {
        joker_[static_cast<size_t>(Question.Desc_Num)] = false;
    }
    return Cherche_Discriminant();
}

std::vector<Question_Classee> Identification_Courante::Questions_Classees() {
    // The candidates of the search: those tied at the top, or every species when none is listed.
    const int candidats = liste_.Nb_Esp_Max == 0 ? base_.Nb_Esp : liste_.Nb_Esp_Max;
    return recherche_.Classe(etats_choisis_, joker_, resultats_.Classement_Esp, candidats,
                             reglages_.Strategie);
}

void Identification_Courante::Recharge_Joker() {
    joker_ = base_.Joker;
}

Contradictions_Espece Identification_Courante::Contradictions(int rang) const {
    int espece = -1;
    if (rang >= 0 && static_cast<size_t>(rang) < liste_.Lignes.size() &&
        static_cast<size_t>(rang) < resultats_.Classement_Esp.Espece.size()) {
        espece = resultats_.Classement_Esp.Espece[static_cast<size_t>(rang)];
    }
    return Calcule_Contradictions(base_, etats_choisis_, espece, reglages_.Rep_Robot, reglages_.Rep_Data, valeurs_);
}

}  // namespace kestrane
