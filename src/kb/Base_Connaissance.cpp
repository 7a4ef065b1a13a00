#include "Base_Connaissance.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>

#include "Conversions.h"

namespace kestrane {

Matrice_Especes::Matrice_Especes(int nb_esp, int nb_etats) : nb_esp_(nb_esp), nb_etats_(nb_etats) {
    const size_t n = static_cast<size_t>(std::max(nb_esp, 0)) * static_cast<size_t>(std::max(nb_etats, 0));
    values_.reserve(n);
#ifdef MADV_HUGEPAGE
    // Only whole huge pages inside the block can be advised; a refusal changes nothing but speed.
    constexpr uintptr_t grande_page = uintptr_t{2} << 20;
    const auto debut = (reinterpret_cast<uintptr_t>(values_.data()) + grande_page - 1) & ~(grande_page - 1);
    const auto fin = (reinterpret_cast<uintptr_t>(values_.data() + n)) & ~(grande_page - 1);
    if (fin > debut)
        madvise(reinterpret_cast<void*>(debut), fin - debut, MADV_HUGEPAGE);
#endif
    values_.resize(n, 0);
}

void Base_Connaissance::Indexe() {
    objet_par_nom_.clear();
    etat_par_identifiant_.clear();
    etat_par_numero_.clear();
    contradiction_par_objet_.clear();
    // The first row in index order wins, as a seek on that index finds it.
    for (size_t i = 0; i < Objets.size(); ++i) objet_par_nom_.emplace(To_Upper_Ascii(Objets[i].Objet), i);
    for (size_t i = 0; i < Caracteres.size(); ++i) {
        etat_par_identifiant_.emplace(To_Upper_Ascii(Caracteres[i].ID_CARAC), Caracteres[i].NUM);
        etat_par_numero_.emplace(Caracteres[i].NUM, i);
    }
    for (size_t i = 0; i < Contradictions.size(); ++i) {
        contradiction_par_objet_.emplace(To_Upper_Ascii(Contradictions[i].Objet), i);
    }
    // A measure of a character the base lacks, or whose classes are not its states, is dropped
    // (the readers have said so): the character is then asked by its classes alone.
    mesure_par_position_.assign(Objets.size(), -1);
    std::vector<Mesure_Objet> gardees;
    for (auto& m : Mesures) {
        const Objet_Fic* o = Trouve_Objet(m.Objet);
        m.Position = o == nullptr ? -1 : static_cast<int>(o - Objets.data());
        if (o == nullptr || o->Nb_Car <= 0 || m.Limites.size() + 1 != static_cast<size_t>(o->Nb_Car) ||
            m.Bas.size() != static_cast<size_t>(std::max(Nb_Esp, 0)) || m.Haut.size() != m.Bas.size() ||
            mesure_par_position_[static_cast<size_t>(m.Position)] >= 0)
            continue;
        mesure_par_position_[static_cast<size_t>(m.Position)] = static_cast<int>(gardees.size());
        gardees.push_back(std::move(m));
    }
    Mesures = std::move(gardees);
}

const Objet_Fic* Base_Connaissance::Trouve_Objet(std::string_view objet) const {
    const auto it = objet_par_nom_.find(To_Upper_Ascii(objet));
    return it == objet_par_nom_.end() ? nullptr : &Objets[it->second];
}

std::optional<int> Base_Connaissance::Etat_Par_Identifiant(std::string_view id_carac) const {
    const auto it = etat_par_identifiant_.find(To_Upper_Ascii(id_carac));
    if (it == etat_par_identifiant_.end()) return std::nullopt;
    return it->second;
}

const Etat_Caractere* Base_Connaissance::Etat_Par_Numero(int num) const {
    const auto it = etat_par_numero_.find(num);
    return it == etat_par_numero_.end() ? nullptr : &Caracteres[it->second];
}

const Marque_Contradiction* Base_Connaissance::Trouve_Contradiction(std::string_view objet) const {
    const auto it = contradiction_par_objet_.find(To_Upper_Ascii(objet));
    return it == contradiction_par_objet_.end() ? nullptr : &Contradictions[it->second];
}

Couleur_Composantes Decompose_Couleur(int32_t value) {
    Couleur_Composantes c;
    c.Rouge = static_cast<uint8_t>(value & 255);
    c.Vert = static_cast<uint8_t>((value / 256) & 255);
    c.Bleu = static_cast<uint8_t>((value / 65536) & 255);
    return c;
}

}  // namespace kestrane
