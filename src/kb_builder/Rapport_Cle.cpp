#include "Rapport_Cle.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <random>

#include "Chemins_Fichiers.h"
#include "Conversions.h"
#include "Textes_A_Traduire.h"
#include "Travail_Parallele.h"

namespace kestrane::kb {
namespace {

constexpr Strategie_Recherche Strategies[] = {Strategie_Recherche::Entropie, Strategie_Recherche::Applicable};

class Calcul {
  public:
    Calcul(const Base_Connaissance& base, const Options_Rapport& options, const Progression& progression)
        : base_(base),
          options_(options),
          progression_(progression),
          n_(std::min(base.Nb_Esp, base.Matrice.Nb_Esp())) {}

    Rapport_Cle Fait() {
        r_.Nom_Base = options_.Nom_Base;
        r_.Langue = options_.Langue;
        r_.Nb_Caracteres = static_cast<int>(base_.Objets.size());
        r_.Nb_Etats = base_.Matrice.Nb_Etats();
        r_.Noms.assign(
            base_.Nom_Esp.begin(),
            base_.Nom_Esp.begin() + std::min<size_t>(base_.Nom_Esp.size(), static_cast<size_t>(n_)));
        while (r_.Noms.size() < static_cast<size_t>(n_))
            r_.Noms.push_back(std::to_string(r_.Noms.size() + 1));
        Caracteres();
        Paires();
        Parcours();
        Especes();
        Traductions();
        return std::move(r_);
    }

  private:
    bool A(int s, int e) const { return e >= 0 && e < base_.Matrice.Nb_Etats() && base_.Matrice(s, e) != 0; }
    int Nb_Etats_De(int s, const Objet_Fic& o) const {
        int k = 0;
        for (int e = o.Index_Car; e < o.Index_Car + o.Nb_Car; ++e) k += A(s, e) ? 1 : 0;
        return k;
    }
    // A controlled character whose controlling states the taxon lacks does not apply to it.
    bool Exclu(int s, size_t c) const {
        const auto& commandes = commandes_[c];
        return !commandes.empty() &&
               std::none_of(commandes.begin(), commandes.end(), [&](int e) { return A(s, e); });
    }

    void Caracteres() {
        commandes_.assign(base_.Objets.size(), {});
        for (const Dependance& d : base_.Descendance) {
            const auto etat = base_.Etat_Par_Identifiant(d.ID_CARAC);
            const Objet_Fic* o = base_.Trouve_Objet(d.Objet);
            if (etat && o)
                commandes_[static_cast<size_t>(o - base_.Objets.data())].push_back(*etat);
        }
        for (size_t c = 0; c < base_.Objets.size(); ++c) {
            const Objet_Fic& o = base_.Objets[c];
            Figure_Caractere f;
            f.Objet = o.Objet;
            f.Question = base_.Textes.Question(o, options_.Langue);
            for (int e = o.Index_Car; e < o.Index_Car + o.Nb_Car; ++e)
                f.Poids.push_back(e >= 0 && static_cast<size_t>(e) < base_.Poids.size()
                                      ? base_.Poids[static_cast<size_t>(e)]
                                      : 0);
            for (int e : commandes_[c]) {
                bool tenu = false;
                for (int s = 0; s < n_ && !tenu; ++s) tenu = A(s, e);
                if (!tenu)
                    f.Commandes_Mortes.push_back(Texte_Etat_De(e));
            }
            f.Jamais_Ouvert = !commandes_[c].empty() && f.Commandes_Mortes.size() == commandes_[c].size();
            for (int s = 0; s < n_; ++s) f.Sans_Codage += Nb_Etats_De(s, o) == 0 && !Exclu(s, c) ? 1 : 0;
            r_.Caracteres.push_back(std::move(f));
        }
    }

    std::string Texte_Etat_De(int e) const {
        const Etat_Caractere* etat = base_.Etat_Par_Numero(e);
        if (!etat)
            return std::to_string(e);
        const std::string& texte = base_.Textes.Etat(*etat, options_.Langue);
        return texte.empty() || texte == etat->ID_CARAC ? etat->ID_CARAC
                                                        : texte + " (" + etat->ID_CARAC + ")";
    }

    void Paires() {
        Bilan_Paires b = Compare_Paires(base_, options_.Fils, Limite_Liste, [&](size_t fait, size_t total) {
            if (progression_)
                progression_("pairs", fait, total);
        });
        r_.Nb_Paires_Inseparables = b.Nb_Inseparables;
        r_.Groupes = std::move(b.Groupes);
        r_.Nb_Paires_Fragiles = b.Nb_Fragiles;
        r_.Paires_Fragiles = std::move(b.Fragiles);
        for (size_t c = 0; c < r_.Caracteres.size(); ++c) {
            r_.Caracteres[c].Separe = b.Separe[c];
            r_.Caracteres[c].Paires_Fragiles = b.Fragiles_Par_Caractere[c];
        }
    }

    // The taxa walked: all of them, or a seeded sample in taxon order.
    std::vector<int> Echantillon() {
        std::vector<int> taxons(static_cast<size_t>(n_));
        for (int s = 0; s < n_; ++s) taxons[static_cast<size_t>(s)] = s;
        if (taxons.size() > options_.Echantillon_Max) {
            std::mt19937 alea(options_.Graine);
            std::shuffle(taxons.begin(), taxons.end(), alea);
            taxons.resize(options_.Echantillon_Max);
            std::sort(taxons.begin(), taxons.end());
            r_.Echantillon = true;
        }
        r_.Graine = options_.Graine;
        r_.Nb_Parcourues = taxons.size();
        return taxons;
    }

    // Each strategy's sample cut into one run of walks per thread; the walks of a run share the
    // searches of their common first answers.
    void Parcours() {
        const std::vector<int> taxons = Echantillon();
        const size_t fils = Nb_Fils(options_.Fils), nb = std::size(Strategies);
        const size_t taille = (taxons.size() + fils - 1) / std::max<size_t>(fils, 1);
        std::vector<std::vector<Parcours_Espece>> parcours(nb, std::vector<Parcours_Espece>(taxons.size()));
        std::atomic<size_t> faits{0};
        Repartit(
            nb * fils, options_.Fils,
            [&](unsigned, size_t i) {
                // Thread f walks part f of the sample with each strategy in turn.
                const size_t k = i / fils, debut = std::min(taxons.size(), i % fils * taille),
                             fin = std::min(taxons.size(), debut + taille);
                const std::vector<int> morceau(taxons.begin() + static_cast<long>(debut),
                                               taxons.begin() + static_cast<long>(fin));
                auto walks = Parcourt_Liste(base_, Strategies[k], morceau, 0, [&] { ++faits; });
                std::move(walks.begin(), walks.end(), parcours[k].begin() + static_cast<long>(debut));
            },
            [&](size_t) {
                if (progression_)
                    progression_("walks", faits.load(), taxons.size() * nb);
            });
        for (size_t k = 0; k < nb; ++k) r_.Strategies.push_back(Resume(Strategies[k], k, parcours[k]));
    }

    Bilan_Strategie Resume(Strategie_Recherche strategie, size_t k, std::vector<Parcours_Espece>& parcours) {
        Bilan_Strategie b;
        b.Strategie = strategie;
        std::vector<int64_t> etapes(r_.Caracteres.size(), 0);
        int64_t questions = 0;
        for (const Parcours_Espece& p : parcours) {
            const int q = static_cast<int>(p.Questions.size());
            if (static_cast<int>(b.Histogramme.size()) <= q)
                b.Histogramme.resize(static_cast<size_t>(q) + 1, 0);
            ++b.Histogramme[static_cast<size_t>(q)];
            questions += q;
            b.Pire = std::max(b.Pire, q);
            b.Nb_Identifiees += p.Identifiee ? 1 : 0;
            b.Nb_Seules += p.Identifiee && p.Groupe.size() == 1 ? 1 : 0;
            if (!p.Identifiee && b.Non_Identifiees.size() < Limite_Liste)
                b.Non_Identifiees.push_back(p.Espece);
            b.Nb_Non_Identifiees += p.Identifiee ? 0 : 1;
            for (size_t i = 0; i < p.Questions.size(); ++i) {
                const int c = p.Questions[i];
                if (c < 0 || static_cast<size_t>(c) >= r_.Caracteres.size())
                    continue;
                ++r_.Caracteres[static_cast<size_t>(c)].Propositions[k];
                etapes[static_cast<size_t>(c)] += static_cast<int64_t>(i) + 1;
            }
        }
        if (!parcours.empty())
            b.Moyenne = static_cast<double>(questions) / static_cast<double>(parcours.size());
        for (size_t c = 0; c < r_.Caracteres.size(); ++c) {
            const int fois = r_.Caracteres[c].Propositions[k];
            r_.Caracteres[c].Etape_Moyenne[k] = fois > 0 ? static_cast<double>(etapes[c]) / fois : 0.0;
        }
        std::stable_sort(parcours.begin(), parcours.end(),
                         [](const Parcours_Espece& x, const Parcours_Espece& y) {
                             return x.Questions.size() > y.Questions.size();
                         });
        b.Pires.assign(parcours.begin(),
                       parcours.begin() + static_cast<long>(std::min(Nb_Pires, parcours.size())));
        return b;
    }

    void Especes() {
        const Reglages_Pages pages = Pages();
        for (int s = 0; s < n_; ++s) {
            Figure_Espece f;
            f.Espece = s;
            for (size_t c = 0; c < base_.Objets.size(); ++c) {
                const Objet_Fic& o = base_.Objets[c];
                const int k = Nb_Etats_De(s, o);
                if (k == 0 && !Exclu(s, c)) {
                    if (f.Nb_Manquants++ < Limite_Noms)
                        f.Manquants.push_back(static_cast<int>(c));
                } else if (o.Nb_Car >= 2 && k == o.Nb_Car) {
                    if (f.Nb_Tous_Etats++ < Limite_Noms)
                        f.Tous_Etats.push_back(static_cast<int>(c));
                }
            }
            if (r_.Documents_Verifies && static_cast<size_t>(s) < base_.Flore.size())
                f.Documents_Absents = Documents_Absents(base_.Flore[static_cast<size_t>(s)].Code, pages);
            if (f.Nb_Manquants == 0 && f.Nb_Tous_Etats == 0 && f.Documents_Absents.empty())
                continue;
            ++r_.Nb_Especes_Signalees;
            if (r_.Especes.size() < Limite_Liste)
                r_.Especes.push_back(std::move(f));
        }
    }

    struct Reglages_Pages {
        std::filesystem::path Dossier;
        std::vector<std::string> Suffixes;
    };
    Reglages_Pages Pages() {
        Reglages_Pages p{options_.Dossier_Documents, {}};
        r_.Documents_Verifies =
            !options_.Dossier_Documents.empty() && std::filesystem::is_directory(p.Dossier);
        for (const Langue_Textes& l : base_.Textes.Langues()) p.Suffixes.push_back(To_Lower_Ascii(l.Suffixe));
        if (p.Suffixes.empty())
            p.Suffixes.push_back("en");
        return p;
    }

    // The species page and the drawing page in each language, and the full-size drawing, as the
    // document view looks for them.
    static std::vector<std::string> Documents_Absents(const std::string& code, const Reglages_Pages& pages) {
        std::vector<std::string> absents;
        const std::string c = To_Lower_Ascii(code.substr(0, 5));
        if (c.empty())
            return {code};
        const std::filesystem::path dossier = pages.Dossier / c.substr(0, 1) / c;
        std::vector<std::string> noms;
        for (const std::string& l : pages.Suffixes) {
            noms.push_back(c + "_" + l + ".html");
            noms.push_back("dessin_" + c + "_" + l + ".html");
        }
        noms.push_back(To_Lower_Ascii(code) + ".gif");
        for (const std::string& nom : noms)
            if (!Fichier_Existe((dossier / nom).string()))
                absents.push_back(nom);
        return absents;
    }

    void Traductions() {
        const auto a_traduire = Textes_A_Traduire(base_);
        for (const Langue_Textes& l : base_.Textes.Langues()) {
            if (l.Origine)
                continue;
            for (const Texte_Traduisible& quoi : Textes_Traduisibles) {
                Traductions_Manquantes t{l.Suffixe, std::string(quoi.Table), std::string(quoi.Champ), 0, 0};
                for (const Texte_A_Traduire& texte : a_traduire) {
                    if (texte.Quoi.Table != quoi.Table || texte.Quoi.Champ != quoi.Champ)
                        continue;
                    ++t.Total;
                    t.Manquantes += base_.Textes.Traduit(quoi, texte.Cle, l.Suffixe) ? 0 : 1;
                }
                if (t.Total > 0)
                    r_.Traductions.push_back(std::move(t));
            }
        }
    }

    const Base_Connaissance& base_;
    const Options_Rapport& options_;
    const Progression& progression_;
    const int n_;
    std::vector<std::vector<int>> commandes_;  // by character: its controlling states
    Rapport_Cle r_;
};

}  // namespace

Rapport_Cle Calcule_Rapport(const Base_Connaissance& base, const Options_Rapport& options,
                            const Progression& progression) {
    return Calcul(base, options, progression).Fait();
}

}  // namespace kestrane::kb
