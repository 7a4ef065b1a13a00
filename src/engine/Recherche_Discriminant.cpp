#include "Recherche_Discriminant.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "Conversions.h"

namespace kestrane {
namespace {

// Powers closer than this are equal under the Applicable strategy.
constexpr double kEcart_Egal = 1e-9;
// Species summed per block: the block's values of one state add up exactly in 32 bits
// (4,096 x 32,768 < 2^31), and its presence flags stay in the first-level cache.
constexpr int kBloc = 4096;

}  // namespace

Recherche_Discriminant::Recherche_Discriminant(const Base_Connaissance& base) : base_(base) {
    const auto& objets = base.Objets;
    // The controlling states of each character, by its name; rows naming an unknown state or
    // character are passed over, as the dependency cascade passes them over.
    std::map<std::string, std::vector<int>> commandes_par_nom;
    for (const Dependance& d : base.Descendance) {
        const auto etat = base.Etat_Par_Identifiant(d.ID_CARAC);
        if (etat && base.Trouve_Objet(d.Objet) != nullptr)
            commandes_par_nom[To_Upper_Ascii(d.Objet)].push_back(*etat);
    }
    commandes_.resize(objets.size());
    poids_.assign(objets.size(), 0);
    for (size_t p = 0; p < objets.size(); ++p) {
        const auto it = commandes_par_nom.find(To_Upper_Ascii(objets[p].Objet));
        if (it != commandes_par_nom.end())
            commandes_[p] = it->second;
        for (int j = 0; j < objets[p].Nb_Car; ++j) {
            const int64_t e = static_cast<int64_t>(objets[p].Index_Car) + j;
            if (e >= 0 && static_cast<size_t>(e) < base.Poids.size())
                poids_[p] += base.Poids[static_cast<size_t>(e)];
        }
    }
}

double Recherche_Discriminant::Pouvoir(const std::vector<int64_t>& sommes, int64_t nb_candidats) {
    const size_t k = sommes.size();
    if (k < 2 || nb_candidats == 0)
        return 0.0;
    const double n = static_cast<double>(nb_candidats);
    const double log_k = std::log(static_cast<double>(k));
    double pouvoir = 0.0;
    for (const int64_t c : sommes) {
        if (c == 0)
            continue;
        const double cj = static_cast<double>(c);
        const double log_n_c = std::log(n / cj);
        pouvoir -= cj / n * log_n_c / log_k;
    }
    pouvoir = std::fabs(pouvoir);
    return std::isfinite(pouvoir) ? pouvoir : 0.0;
}

double Recherche_Discriminant::Pouvoir_Applicable(const std::vector<int64_t>& sommes, int64_t sans_etat,
                                                  int64_t nb_candidats) {
    if (sommes.size() < 2 || nb_candidats < 2)
        return 0.0;
    const double n = static_cast<double>(nb_candidats);
    double entropie = 0.0;
    for (const int64_t c : sommes) {
        if (c == 0)
            continue;
        const double cj = static_cast<double>(c);
        entropie += cj / n * std::log(n / cj);
    }
    if (sans_etat > 0) {
        const double c0 = static_cast<double>(sans_etat);
        entropie += c0 / n * std::log(n / c0);
    }
    // Against the most even split the character allows: over its groups (the K states, and one
    // more when some candidates lack them all), but never into more groups than there are
    // candidates, so that a character telling the last few apart is not held back for having
    // many states.
    const double groupes = static_cast<double>(sommes.size() + (sans_etat > 0 ? 1 : 0));
    const double pouvoir = entropie / std::log(std::min(groupes, n));
    return std::isfinite(pouvoir) ? std::clamp(pouvoir, 0.0, 1.0) : 0.0;
}

bool Recherche_Discriminant::Commande_Partagee(size_t position) {
    if (candidats_.empty() || position >= commandes_.size())
        return false;
    for (const int etat : commandes_[position]) {
        auto [connu, nouveau] = partagees_.try_emplace(etat, false);
        if (nouveau && etat >= 0 && etat < base_.Matrice.Nb_Etats()) {
            int64_t sans_etat = 0;
            Somme_Caractere(etat, 1, &sans_etat);
            connu->second = sans_etat == 0;
        }
        if (connu->second)
            return true;
    }
    return false;
}

bool Recherche_Discriminant::S_Applique(size_t position, const std::vector<int16_t>& etats_choisis) const {
    if (position >= commandes_.size() || commandes_[position].empty())
        return true;
    return std::any_of(commandes_[position].begin(), commandes_[position].end(), [&](int e) {
        return static_cast<size_t>(e) < etats_choisis.size() && etats_choisis[static_cast<size_t>(e)] != 0;
    });
}

void Recherche_Discriminant::Prepare_Candidats(const Classement& classement, int nb_candidats) {
    const int nb_esp = base_.Matrice.Nb_Esp();
    const int n =
        std::clamp(nb_candidats, 0, std::min<int>(nb_esp, static_cast<int>(classement.Espece.size())));
    // Who the candidates are decides how a state's sum is formed: the whole column when every
    // species is one, a masked sum when many are, a gather over the few otherwise.
    candidats_.clear();
    for (int k = 0; k < n; ++k) {
        const int32_t s = classement.Espece[static_cast<size_t>(k)];
        if (s >= 0 && s < nb_esp)
            candidats_.push_back(s);
    }
    std::sort(candidats_.begin(), candidats_.end());
    tous_ = static_cast<int>(candidats_.size()) == nb_esp;
    dense_ = !tous_ && candidats_.size() * 8 >= static_cast<size_t>(nb_esp);
    if (dense_) {
        masque_.assign(static_cast<size_t>(nb_esp), 0);
        for (const int32_t s : candidats_) masque_[static_cast<size_t>(s)] = 1;
    }
}

void Recherche_Discriminant::Somme_Caractere(int premier, int nombre, int64_t* sans_etat) {
    sommes_.assign(static_cast<size_t>(nombre), 0);
    if (sans_etat != nullptr)
        *sans_etat = 0;
    const Matrice_Especes& matrice = base_.Matrice;
    if (!tous_ && !dense_) {
        for (int j = 0; j < nombre; ++j) {
            const Cellule_Matrice* colonne = matrice.Etat(premier + j);
            int64_t somme = 0;
            for (const int32_t s : candidats_) somme += colonne[s];
            sommes_[static_cast<size_t>(j)] = somme;
        }
        if (sans_etat != nullptr) {
            for (const int32_t s : candidats_) {
                bool present = false;
                for (int j = 0; j < nombre && !present; ++j) present = matrice.Etat(premier + j)[s] != 0;
                *sans_etat += present ? 0 : 1;
            }
        }
        return;
    }
    const int nb_esp = matrice.Nb_Esp();
    present_.resize(kBloc);
    uint8_t* present = present_.data();
    for (int debut = 0; debut < nb_esp; debut += kBloc) {
        const int taille = std::min(kBloc, nb_esp - debut);
        const int16_t* masque = dense_ ? masque_.data() + debut : nullptr;
        if (sans_etat != nullptr)
            std::fill_n(present, taille, uint8_t{0});
        for (int j = 0; j < nombre; ++j) {
            const Cellule_Matrice* colonne = matrice.Etat(premier + j) + debut;
            int32_t somme = 0;
            if (masque == nullptr) {
                for (int s = 0; s < taille; ++s) somme += colonne[s];
            } else {
                for (int s = 0; s < taille; ++s) somme += colonne[s] * masque[s];
            }
            sommes_[static_cast<size_t>(j)] += somme;
            if (sans_etat != nullptr) {
                for (int s = 0; s < taille; ++s) present[s] |= static_cast<uint8_t>(colonne[s] != 0);
            }
        }
        if (sans_etat != nullptr) {
            int32_t absents = 0;
            if (masque == nullptr) {
                for (int s = 0; s < taille; ++s) absents += present[s] == 0;
            } else {
                for (int s = 0; s < taille; ++s) absents += (present[s] == 0) & (masque[s] != 0);
            }
            *sans_etat += absents;
        }
    }
}

const std::vector<Recherche_Discriminant::Evaluation>& Recherche_Discriminant::Evalue(
    const std::vector<int16_t>& etats_choisis, const std::vector<bool>& joker, const Classement& classement,
    int nb_candidats, Strategie_Recherche strategie, std::vector<double>& pouvoir) {
    const auto& objets = base_.Objets;
    pouvoir.assign(objets.size(), 0.0);
    evaluations_.clear();
    partagees_.clear();
    Prepare_Candidats(classement, nb_candidats);
    const auto n = static_cast<int64_t>(candidats_.size());
    const bool applicable = strategie == Strategie_Recherche::Applicable;

    const size_t nb_etats = std::min(etats_choisis.size(), static_cast<size_t>(base_.Matrice.Nb_Etats()));
    for (size_t p = 0; p < objets.size(); ++p) {
        const Objet_Fic& o = objets[p];
        const bool permis = o.Desc_Num >= 0 && static_cast<size_t>(o.Desc_Num) < joker.size() &&
                            joker[static_cast<size_t>(o.Desc_Num)];
        if (!permis || o.Nb_Car < 2 || o.Index_Car < 0 ||
            static_cast<size_t>(o.Index_Car) + static_cast<size_t>(o.Nb_Car) > nb_etats) {
            continue;
        }
        bool repondu = false;
        for (int j = 0; j < o.Nb_Car && !repondu; ++j)
            repondu = etats_choisis[static_cast<size_t>(o.Index_Car) + static_cast<size_t>(j)] != 0;
        if (repondu)
            continue;
        if (applicable && !S_Applique(p, etats_choisis) && !Commande_Partagee(p))
            continue;
        int64_t sans_etat = 0;
        Somme_Caractere(o.Index_Car, o.Nb_Car, applicable ? &sans_etat : nullptr);
        pouvoir[p] = applicable ? Pouvoir_Applicable(sommes_, sans_etat, n) : Pouvoir(sommes_, n);
        evaluations_.push_back({static_cast<int>(p), pouvoir[p], poids_[p]});
    }
    return evaluations_;
}

bool Recherche_Discriminant::Passe_Devant(const Evaluation& a, const Evaluation& b,
                                          Strategie_Recherche strategie) {
    if (strategie == Strategie_Recherche::Entropie)
        return a.Pouvoir > b.Pouvoir;
    if (a.Pouvoir > b.Pouvoir + kEcart_Egal)
        return true;
    if (a.Pouvoir < b.Pouvoir - kEcart_Egal)
        return false;
    return a.Poids > b.Poids;
}

int Recherche_Discriminant::Calcule(const std::vector<int16_t>& etats_choisis, const std::vector<bool>& joker,
                                    const Classement& classement, int nb_candidats,
                                    std::vector<double>& pouvoir, Strategie_Recherche strategie) {
    const auto& evaluations = Evalue(etats_choisis, joker, classement, nb_candidats, strategie, pouvoir);
    const Evaluation* meilleure = nullptr;
    for (const Evaluation& e : evaluations) {
        if (meilleure == nullptr || Passe_Devant(e, *meilleure, strategie))
            meilleure = &e;
    }
    return meilleure != nullptr && meilleure->Pouvoir > 0.0 ? meilleure->Position : -1;
}

std::vector<Question_Classee> Recherche_Discriminant::Classe(const std::vector<int16_t>& etats_choisis,
                                                             const std::vector<bool>& joker,
                                                             const Classement& classement, int nb_candidats,
                                                             Strategie_Recherche strategie) {
    std::vector<Evaluation> restantes =
        Evalue(etats_choisis, joker, classement, nb_candidats, strategie, pouvoir_classement_);
    // Each line is the choice among those left, by the very scan Calcule makes: with powers
    // equal only within a tolerance, a sort could order them otherwise.
    std::vector<Question_Classee> lignes;
    lignes.reserve(restantes.size());
    while (!restantes.empty()) {
        size_t meilleure = 0;
        for (size_t i = 1; i < restantes.size(); ++i) {
            if (Passe_Devant(restantes[i], restantes[meilleure], strategie))
                meilleure = i;
        }
        lignes.push_back({restantes[meilleure].Position, restantes[meilleure].Pouvoir});
        restantes.erase(restantes.begin() + static_cast<std::ptrdiff_t>(meilleure));
    }
    return lignes;
}

std::vector<int> Recherche_Discriminant::Hors_Classement(const std::vector<int16_t>& etats_choisis,
                                                        const std::vector<Question_Classee>& classees) const {
    std::vector<bool> classee(base_.Objets.size(), false);
    for (const Question_Classee& q : classees) {
        if (q.Position >= 0 && static_cast<size_t>(q.Position) < classee.size())
            classee[static_cast<size_t>(q.Position)] = true;
    }
    const size_t nb_etats = std::min(etats_choisis.size(), static_cast<size_t>(base_.Matrice.Nb_Etats()));
    std::vector<int> hors;
    for (size_t p = 0; p < base_.Objets.size(); ++p) {
        const Objet_Fic& o = base_.Objets[p];
        if (classee[p] || o.Nb_Car < 1 || o.Index_Car < 0 ||
            static_cast<size_t>(o.Index_Car) + static_cast<size_t>(o.Nb_Car) > nb_etats)
            continue;
        const auto debut = etats_choisis.begin() + o.Index_Car;
        if (std::all_of(debut, debut + o.Nb_Car, [](int16_t e) { return e == 0; }))
            hors.push_back(static_cast<int>(p));
    }
    return hors;
}

}  // namespace kestrane
