#include "Pieces_Imprimees.h"

#include <algorithm>

#include "Composition_Portrait.h"

namespace kestrane {
namespace {

// Records the chosen paths instead of loading them.
class Releve_Pieces : public Chargeur_Pieces {
  public:
    explicit Releve_Pieces(size_t nb) : chemins(nb) {}
    bool Charge_Piece(int piece, const std::string& chemin) override {
        if (piece >= 0 && static_cast<size_t>(piece) < chemins.size())
            chemins[static_cast<size_t>(piece)] = chemin;
        return true;
    }
    void Etat_Inexistant(const std::string&) override {}

    std::vector<std::optional<std::string>> chemins;
};

}  // namespace

std::vector<std::optional<std::string>> Pieces_Imprimees(const Base_Connaissance& base,
                                                         const std::string& rep_robot,
                                                         const std::vector<int16_t>& etats_choisis) {
    // A fresh composition has loaded nothing, so it names every piece that has an applicable row.
    Composition_Portrait composition(base, rep_robot);
    Releve_Pieces releve(static_cast<size_t>(std::max<int>(base.Nb_Robot, 0)));
    composition.Compose(etats_choisis, releve);
    return std::move(releve.chemins);
}

}  // namespace kestrane
