#include "Composition_Portrait.h"

#include "Conversions.h"

namespace kestrane {
namespace {

std::string Droite(const std::string& texte, size_t n) {
    return texte.size() <= n ? texte : texte.substr(texte.size() - n);
}

}  // namespace

Composition_Portrait::Composition_Portrait(const Base_Connaissance& base, std::string rep_robot)
    : base_(base), rep_robot_(std::move(rep_robot)) {
    const size_t nb_robot = static_cast<size_t>(std::max<int>(base.Nb_Robot, 0));
    regles_.resize(nb_robot);
    chemins_.assign(nb_robot, {});
    chemins_charges_.assign(nb_robot, {});
    for (size_t r = 0; r < base.Hierarchie.size(); ++r) {
        const int piece = base.Hierarchie[r].Robot_Num;
        if (piece >= 0 && static_cast<size_t>(piece) < nb_robot)
            regles_[static_cast<size_t>(piece)].push_back(r);
    }
}

std::string Composition_Portrait::Message_Etat_Inexistant(const std::string& id_carac) {
    return "Erreur : l'\xC3\xA9tat du Caract\xC3\xA8re '" + id_carac +
           "' n'existe pas dans la Table 'Caract\xC3\xA8res'";
}

std::string Composition_Portrait::Dossier_Piece(int piece) {
    std::string chiffres = std::to_string(piece);
    if (piece >= 0 && chiffres.size() < 2)
        chiffres.insert(0, 2 - chiffres.size(), '0');
    return chiffres;
}

void Composition_Portrait::Oublie() {
    for (auto& c : chemins_) c.clear();
    for (auto& c : chemins_charges_) c.clear();
}

Status Composition_Portrait::Compose(const std::vector<int16_t>& etats_choisis, Chargeur_Pieces& chargeur) {
    std::string suffixe;  // variant of piece 0's drawing, for this composition only
    for (size_t i = 0; i < regles_.size(); ++i) {
        const Regle_Portrait* choisie = nullptr;
        for (const size_t r : regles_[i]) {
            const Regle_Portrait& regle = base_.Hierarchie[r];
            bool applicable = true;
            for (const std::string& condition : regle.Conditions) {
                const auto etat = base_.Etat_Par_Identifiant(condition);
                if (!etat) {
                    chargeur.Etat_Inexistant(Message_Etat_Inexistant(condition));
                    applicable = false;
                    break;
                }
                const auto e = static_cast<size_t>(*etat);
                if (*etat < 0 || e >= etats_choisis.size() || etats_choisis[e] != 1) {
                    applicable = false;
                    break;
                }
            }
            // Conditions that run out without "Fin" never apply.
            if (applicable && regle.Conditions_Terminees) {
                choisie = &regle;
                break;
            }
        }
        if (choisie == nullptr)
            continue;

        const std::string& nom = choisie->Nom;
        const int piece = static_cast<int>(i);
        std::string chemin = rep_robot_ + Dossier_Piece(piece) + "/" + nom;
        if (To_Upper_Ascii(Droite(nom, 3)) == "WMF") {
            if (i == 0)
                suffixe = Droite(nom, 6);
        } else {
            chemin += suffixe;
        }
        std::string chemin_majuscules = To_Upper_Ascii(chemin);
        if (chemin_majuscules == chemins_[i])
            continue;
        if (!chargeur.Charge_Piece(piece, chemin))
            return Status::Error(chemin);
        chemins_[i] = std::move(chemin_majuscules);
        chemins_charges_[i] = std::move(chemin);
    }
    return Status::Ok();
}

}  // namespace kestrane
