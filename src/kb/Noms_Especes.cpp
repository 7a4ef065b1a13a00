#include "Noms_Especes.h"

namespace kestrane {

void Noms_Especes::Ajoute_Plie(size_t espece, Nom nom, std::string plie) {
    if (espece >= noms_.size()) {
        noms_.resize(espece + 1);
        plies_.resize(espece + 1);
        ensemble_.resize(espece + 1);
    }
    if (!ensemble_[espece].empty())
        ensemble_[espece] += '\n';
    ensemble_[espece] += plie;
    plies_[espece].push_back(std::move(plie));
    noms_[espece].push_back(std::move(nom));
}

std::vector<bool> Noms_Especes::Correspondances_Plie(std::string_view cherche) const {
    std::vector<bool> trouvees(noms_.size(), true);
    if (cherche.empty())
        return trouvees;
    // A folded text holds no line break, so it never spans two names of the joined text.
    for (size_t s = 0; s < ensemble_.size(); ++s)
        trouvees[s] = ensemble_[s].find(cherche) != std::string::npos;
    return trouvees;
}

std::vector<Noms_Especes::Nom> Noms_Especes::Noms_Trouves_Plie(size_t espece,
                                                               std::string_view cherche) const {
    std::vector<Nom> trouves;
    if (espece >= noms_.size())
        return trouves;
    for (size_t n = 0; n < noms_[espece].size(); ++n) {
        if (plies_[espece][n].find(cherche) != std::string::npos)
            trouves.push_back(noms_[espece][n]);
    }
    return trouves;
}

}  // namespace kestrane
