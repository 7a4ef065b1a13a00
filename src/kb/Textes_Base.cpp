#include "Textes_Base.h"

#include "Base_Connaissance.h"
#include "Conversions.h"

namespace kestrane {
namespace {

std::string Cle_Texte(Texte_Traduisible quoi, std::string_view cle, std::string_view suffixe) {
    std::string c;
    c.reserve(quoi.Table.size() + quoi.Champ.size() + cle.size() + suffixe.size() + 3);
    c.append(quoi.Table).append("|").append(quoi.Champ).append("|").append(cle).append("|").append(suffixe);
    return To_Upper_Ascii(c);
}

}  // namespace

void Textes_Base::Ajoute(Texte_Traduisible quoi, std::string_view cle, std::string_view suffixe,
                         std::string texte) {
    textes_[Cle_Texte(quoi, cle, suffixe)] = std::move(texte);
}

const std::string& Textes_Base::Texte(Texte_Traduisible quoi, std::string_view cle, std::string_view suffixe,
                                      const std::string& defaut) const {
    if (textes_.empty())
        return defaut;
    const auto it = textes_.find(Cle_Texte(quoi, cle, suffixe));
    return it == textes_.end() || it->second.empty() ? defaut : it->second;
}

bool Textes_Base::Traduit(Texte_Traduisible quoi, std::string_view cle, std::string_view suffixe) const {
    const auto it = textes_.find(Cle_Texte(quoi, cle, suffixe));
    return it != textes_.end() && !it->second.empty();
}

const std::string& Textes_Base::Question(const Objet_Fic& objet, std::string_view suffixe) const {
    return Texte(Question_Objet, objet.Objet, suffixe, objet.TipText);
}

const std::string& Textes_Base::Etat(const Etat_Caractere& etat, std::string_view suffixe) const {
    return Texte(Texte_Etat, etat.ID_CARAC, suffixe, etat.TipText);
}

const std::string& Textes_Base::Bouton(Texte_Traduisible quoi, const Bouton_Barre& bouton,
                                       std::string_view suffixe) const {
    const bool caption = Equal_No_Case(quoi.Champ, "Caption");
    return Texte(quoi, std::to_string(bouton.Numero), suffixe, caption ? bouton.Caption : bouton.TipText);
}

const std::string& Textes_Base::Legende(const Espece_Flore& espece, std::string_view suffixe) const {
    return Texte(Legende_Espece, espece.Espece, suffixe, espece.Legende);
}

bool Textes_Base::Offre(std::string_view suffixe) const {
    for (const Langue_Textes& l : langues_) {
        if (Equal_No_Case(l.Suffixe, suffixe))
            return true;
    }
    return false;
}

std::string Textes_Base::Suffixe_De(std::string_view nom_langue) const {
    for (const Langue_Textes& l : langues_) {
        if (!l.Langue.empty() && Equal_No_Case(l.Langue, nom_langue))
            return l.Suffixe;
    }
    return {};
}

std::string_view Suffixe_Interface(int langue) {
    switch (langue) {
        case 1:
            return "es";
        case 2:
            return "fr";
        default:
            return "en";
    }
}

}  // namespace kestrane
