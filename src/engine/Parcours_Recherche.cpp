#include "Parcours_Recherche.h"

#include <algorithm>
#include <map>

#include "Identification_Courante.h"

namespace kestrane {
namespace {

// The window's side of the engine for a walk: no drawing is loaded, messages are not shown, and
// the retry of skipped characters is declined.
class Fenetre_Absente : public Observateur_Identification, public Dialogue_Utilisateur {
  public:
    bool Charge_Piece(int, const std::string&) override { return true; }
    void Etat_Inexistant(const std::string&) override {}
    void Message(const std::string&) override {}
    bool Question_Oui_Non(const std::string&) override { return false; }
};

class Marcheur {
  public:
    Marcheur(const Base_Connaissance& base, Strategie_Recherche strategie, int seuil)
        : base_(base), id_(base, Reglages(strategie, seuil), fenetre_, fenetre_) {}

    Parcours_Espece Marche(int espece) {
        Parcours_Espece p;
        p.Espece = espece;
        id_.Nouvelle_Identification();
        // Each character is proposed at most once (then answered or no longer allowed): the
        // bound only guards against a fault.
        const size_t borne = base_.Objets.size() + 1;
        int noeud = 0;  // the answers so far in the tree of searches, -1 once a question is skipped
        Issue_Recherche issue = Cherche(noeud);
        while (issue == Issue_Recherche::Proposee && p.Questions.size() < borne) {
            p.Questions.push_back(Position(id_.Question));
            const int etat = Premier_Etat(espece, id_.Question.Index_Car, id_.Question.Nb_Car);
            if (etat < 0) {
                ++p.Non_Applicables;
                noeud = -1;
                issue = id_.Passe_Caractere();
                continue;
            }
            id_.Question.Choix = etat;
            if (!id_.Valid_Descripteur())
                break;
            (void)id_.Actualise_Identification();  // drawings are not loaded
            noeud = Suivant(noeud, etat);
            issue = Cherche(noeud);
        }
        Juge(p);
        return p;
    }

  private:
    // Walks that begin with the same answers ask the same questions: from an empty
    // identification, the answers alone (no skip, Joker as loaded) decide what Search finds. Each
    // node of the tree holds the outcome of Search after a sequence of answers; a walk replays
    // what an earlier one found, and only searches where it goes further. Replaying sets the
    // question exactly as Search sets it; the discriminant powers, which the walk does not read,
    // stay those of the last search run.
    struct Noeud {
        bool Connu = false;
        Issue_Recherche Issue = Issue_Recherche::Aucune;
        Question_Courante Question;
        std::map<int, int> Suivants;  // by the state answered (relative to the character)
    };

    Issue_Recherche Cherche(int noeud) {
        if (noeud < 0)
            return id_.Maitre_Discriminant();
        Noeud& n = arbre_[static_cast<size_t>(noeud)];
        if (n.Connu) {
            id_.Question = n.Question;
            return n.Issue;
        }
        n.Issue = id_.Maitre_Discriminant();
        n.Question = id_.Question;
        n.Connu = true;
        return n.Issue;
    }

    int Suivant(int noeud, int etat) {
        if (noeud < 0)
            return -1;
        const auto [it, nouveau] =
            arbre_[static_cast<size_t>(noeud)].Suivants.emplace(etat, static_cast<int>(arbre_.size()));
        const int suivant = it->second;
        if (nouveau)
            arbre_.emplace_back();
        return suivant;
    }

    static Reglages_Moteur Reglages(Strategie_Recherche strategie, int seuil) {
        Reglages_Moteur r;
        r.Seuil_Pourcent = seuil;
        r.Strategie = strategie;
        return r;
    }

    // The position in Objets_Fic of the proposed character.
    int Position(const Question_Courante& q) const {
        for (size_t p = 0; p < base_.Objets.size(); ++p) {
            const Objet_Fic& o = base_.Objets[p];
            if (o.Objet == q.Objet && o.Index_Car == q.Index_Car && o.Desc_Num == q.Desc_Num)
                return static_cast<int>(p);
        }
        return -1;
    }

    // The species' first state of the character, relative to its first state; -1 when none.
    int Premier_Etat(int espece, int index_car, int nb_car) const {
        for (int j = 0; j < nb_car; ++j) {
            if (base_.Matrice(espece, index_car + j) != 0)
                return j;
        }
        return -1;
    }

    // The group at the best percentage, and whether the asked characters tell s from it.
    void Juge(Parcours_Espece& p) const {
        const auto& r = id_.Resultats();
        for (size_t k = 0; k < r.Pourcent_Esp.size() && r.Pourcent_Esp[k] == r.Pourcent_Esp[0]; ++k)
            p.Groupe.push_back(r.Classement_Esp.Espece[k]);
        if (std::find(p.Groupe.begin(), p.Groupe.end(), p.Espece) == p.Groupe.end())
            return;
        p.Identifiee = std::all_of(p.Groupe.begin(), p.Groupe.end(), [&](int autre) {
            return std::all_of(p.Questions.begin(), p.Questions.end(), [&](int position) {
                if (position < 0)
                    return false;
                const Objet_Fic& o = base_.Objets[static_cast<size_t>(position)];
                for (int e = o.Index_Car; e < o.Index_Car + o.Nb_Car; ++e) {
                    if (base_.Matrice(autre, e) != base_.Matrice(p.Espece, e))
                        return false;
                }
                return true;
            });
        });
    }

    const Base_Connaissance& base_;
    Fenetre_Absente fenetre_;
    Identification_Courante id_;
    std::vector<Noeud> arbre_ = std::vector<Noeud>(1);  // node 0: the empty identification
};

}  // namespace

Parcours_Espece Parcourt_Espece(const Base_Connaissance& base, Strategie_Recherche strategie, int espece,
                                int seuil) {
    return Marcheur(base, strategie, seuil).Marche(espece);
}

std::vector<Parcours_Espece> Parcourt_Liste(const Base_Connaissance& base, Strategie_Recherche strategie,
                                            const std::vector<int>& especes, int seuil,
                                            const std::function<void()>& apres_chaque) {
    Marcheur marcheur(base, strategie, seuil);
    std::vector<Parcours_Espece> out;
    out.reserve(especes.size());
    for (const int s : especes) {
        out.push_back(marcheur.Marche(s));
        if (apres_chaque)
            apres_chaque();
    }
    return out;
}

Bilan_Parcours Parcourt_Especes(const Base_Connaissance& base, Strategie_Recherche strategie, int seuil) {
    Bilan_Parcours bilan;
    bilan.Strategie = strategie;
    Marcheur marcheur(base, strategie, seuil);
    const int nb_esp = std::min(base.Nb_Esp, base.Matrice.Nb_Esp());
    int64_t questions = 0;
    for (int s = 0; s < nb_esp; ++s) {
        Parcours_Espece p = marcheur.Marche(s);
        const int n = static_cast<int>(p.Questions.size());
        questions += n;
        bilan.Pire_Questions = std::max(bilan.Pire_Questions, n);
        bilan.Questions_Non_Applicables += p.Non_Applicables;
        bilan.Nb_Identifiees += p.Identifiee ? 1 : 0;
        bilan.Nb_Seules += p.Identifiee && p.Groupe.size() == 1 ? 1 : 0;
        bilan.Especes.push_back(std::move(p));
    }
    if (nb_esp > 0)
        bilan.Moyenne_Questions = static_cast<double>(questions) / nb_esp;
    return bilan;
}

}  // namespace kestrane
