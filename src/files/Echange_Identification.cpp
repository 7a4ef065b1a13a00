#include "Echange_Identification.h"

namespace kestrane {

Status Ouvre_Identification(Identification_Courante& identification, const Base_Connaissance& base,
                            const std::string& chemin) {
    auto lu = Lit_Identification(chemin, base.Nb_Etats_Desc, base.Nb_Cadre);
    if (!lu)
        return lu.status();
    if (Status s = identification.Remplace_Reponses(std::move(lu->Etats_Choisis), std::move(lu->Etat_Cadre));
        !s) {
        return Status::Error(chemin + ": " + s.message(),
                             static_cast<int>(Erreur_Identification::Trop_Court));
    }
    Status actualise = identification.Actualise_Identification();
    identification.Marque_Enregistree();
    if (!actualise)
        return Status::Error(actualise.message(), static_cast<int>(Erreur_Identification::Dessin));
    return Status::Ok();
}

Status Enregistre_Identification(Identification_Courante& identification, const std::string& chemin) {
    Status s = Ecrit_Identification(chemin, identification.Etats_Choisis(), identification.Etat_Cadre());
    if (s)
        identification.Marque_Enregistree();
    return s;
}

}  // namespace kestrane
