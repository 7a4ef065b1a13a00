#include "Historique_Reponses.h"

#include <algorithm>

#include "Reponses_Donnees.h"

namespace kestrane {

Historique_Reponses::Historique_Reponses(Identification_Courante& identification,
                                         const Base_Connaissance& base, size_t profondeur)
    : identification_(identification), base_(base), profondeur_(std::max<size_t>(profondeur, 1)) {}

void Historique_Reponses::Demarre() {
    avant_.reset();
    etapes_.clear();
    position_ = 0;
    ordre_ = Caracteres_Repondus(base_, identification_.Etats_Choisis());
    fichier_.clear();
    version_ = ++compteur_;
    enregistrees_.clear();
    enregistrees_[fichier_] = version_;
}

Historique_Reponses::Etat Historique_Reponses::Capture() const {
    return {identification_.Etats_Choisis(),
            identification_.Etat_Cadre(),
            identification_.Joker(),
            identification_.Car_Passe(),
            identification_.Valeurs(),
            ordre_,
            fichier_,
            version_};
}

bool Historique_Reponses::Meme_Etat(const Etat& a, const Etat& b) const {
    return a.etats_choisis == b.etats_choisis && a.etat_cadre == b.etat_cadre && a.joker == b.joker &&
           a.car_passe == b.car_passe && a.valeurs == b.valeurs && a.ordre == b.ordre && a.fichier == b.fichier;
}

bool Historique_Reponses::Propre() const {
    const auto it = enregistrees_.find(fichier_);
    return it != enregistrees_.end() && it->second == version_;
}

void Historique_Reponses::Commence() {
    avant_ = Capture();
}

std::vector<size_t> Historique_Reponses::Ordre_Apres(Genre_Changement genre, std::optional<size_t> objet,
                                                     const Etat& avant) const {
    const std::vector<int16_t>& etats = identification_.Etats_Choisis();
    const std::vector<size_t> repondus = Caracteres_Repondus(base_, etats);
    if (genre != Genre_Changement::Reponse)
        return repondus;
    // The character's answer changed (given, or another state): it goes to the end.
    bool deplace = false;
    if (objet && Est_Repondu(base_, etats, *objet) && avant.etats_choisis.size() == etats.size()) {
        const Objet_Fic& o = base_.Objets[*objet];
        const auto debut = static_cast<std::ptrdiff_t>(o.Index_Car);
        deplace = !std::equal(etats.begin() + debut, etats.begin() + debut + o.Nb_Car,
                              avant.etats_choisis.begin() + debut);
    }
    std::vector<size_t> ordre;
    auto ajoute = [&](size_t o) {
        if ((!deplace || o != *objet) && std::find(ordre.begin(), ordre.end(), o) == ordre.end())
            ordre.push_back(o);
    };
    for (const size_t o : ordre_) {
        if (Est_Repondu(base_, etats, o))
            ajoute(o);
    }
    for (const size_t o : repondus) ajoute(o);
    if (deplace)
        ordre.push_back(*objet);
    return ordre;
}

void Historique_Reponses::Termine(Genre_Changement genre, std::optional<size_t> objet,
                                  const std::string& fichier) {
    const Etat avant = avant_ ? *avant_ : Capture();
    const bool commence = avant_.has_value();
    avant_.reset();
    ordre_ = Ordre_Apres(genre, objet, avant);
    fichier_ = fichier;
    const bool meme = Meme_Etat(avant, Capture());
    if (genre != Genre_Changement::Reponse) {
        version_ = ++compteur_;
        enregistrees_[fichier_] = version_;
    } else if (!meme || (identification_.Identification_Modifiee() && Propre())) {
        // Another state, or the same one that the refresh marked modified all the same.
        version_ = ++compteur_;
    }
    if (meme || !commence)
        return;
    etapes_.resize(position_);
    etapes_.push_back({avant, Capture(), genre != Genre_Changement::Reponse});
    if (etapes_.size() > profondeur_)
        etapes_.erase(etapes_.begin());
    position_ = etapes_.size();
}

void Historique_Reponses::Enregistre(const std::string& fichier) {
    fichier_ = fichier;
    enregistrees_[fichier_] = version_;
}

Status Historique_Reponses::Restaure(const Etat& etat, bool avec_fichier) {
    if (Status s = identification_.Restaure(etat.etats_choisis, etat.etat_cadre, etat.joker, etat.car_passe,
                                              etat.valeurs);
        !s)
        return s;
    ordre_ = etat.ordre;
    version_ = etat.version;
    if (avec_fichier)
        fichier_ = etat.fichier;
    Status actualise = identification_.Actualise_Identification();
    if (Propre())
        identification_.Marque_Enregistree();
    return actualise;
}

Status Historique_Reponses::Annule() {
    if (!Peut_Annuler())
        return Status::Ok();
    --position_;
    return Restaure(etapes_[position_].avant, etapes_[position_].change_fichier);
}

Status Historique_Reponses::Retablit() {
    if (!Peut_Retablir())
        return Status::Ok();
    const Etape& etape = etapes_[position_++];
    return Restaure(etape.apres, etape.change_fichier);
}

}  // namespace kestrane
