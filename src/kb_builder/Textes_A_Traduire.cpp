#include "Textes_A_Traduire.h"

#include <tuple>

namespace kestrane::kb {

std::vector<Texte_A_Traduire> Textes_A_Traduire(const Base_Connaissance& base) {
    std::vector<Texte_A_Traduire> out;
    auto ajoute = [&](Texte_Traduisible quoi, const std::string& cle, const std::string& texte,
                      const std::string& nom) {
        if (!texte.empty())
            out.push_back({quoi, cle, nom});
    };
    for (const auto& o : base.Objets) ajoute(Question_Objet, o.Objet, o.TipText, o.Objet);
    for (const auto& e : base.Caracteres) ajoute(Texte_Etat, e.ID_CARAC, e.TipText, e.ID_CARAC);
    for (const auto& [boutons, caption, tiptext] :
         {std::tuple{&base.But_Deter, Caption_Deter, TipText_Deter},
          std::tuple{&base.But_Quest, Caption_Quest, TipText_Quest}})
        for (const auto& bt : *boutons) {
            const std::string numero = std::to_string(bt.Numero);
            ajoute(caption, numero, bt.Caption, "row " + numero);
            ajoute(tiptext, numero, bt.TipText, "row " + numero);
        }
    for (const auto& f : base.Flore) ajoute(Legende_Espece, f.Espece, f.Legende, f.Espece);
    return out;
}

}  // namespace kestrane::kb
