#include "Textes_Ajoutes.h"

#include <array>

namespace kestrane {
namespace {

struct Traductions {
    Texte_Ajoute quoi;
    std::array<std::string_view, 3> textes;  // English, Spanish, French
};

constexpr Traductions kTextes[] = {
    {Texte_Ajoute::Menu_Annuler, {"&Undo", "&Deshacer", "&Annuler"}},
    {Texte_Ajoute::Menu_Retablir, {"&Redo", "&Rehacer", "&Rétablir"}},
    {Texte_Ajoute::Menu_Trouver,
     {"&Find a tree by name", "&Buscar un árbol por su nombre", "&Chercher un arbre par son nom"}},
    {Texte_Ajoute::Menu_Reponses, {"&Answers given", "Respuestas &dadas", "Réponses &données"}},
    {Texte_Ajoute::Reponses_Titre, {"Answers given", "Respuestas dadas", "Réponses données"}},
    {Texte_Ajoute::Reponses_Aucune,
     {"No answer yet: click a part of the tree or a button on the right.",
      "Ninguna respuesta todavía: haga clic en una parte del árbol o en un botón de la derecha.",
      "Aucune réponse pour l'instant : cliquez une partie de l'arbre ou un bouton à droite."}},
    {Texte_Ajoute::Reponses_Changer,
     {"Change this answer (Enter)", "Cambiar esta respuesta (Intro)", "Changer cette réponse (Entrée)"}},
    {Texte_Ajoute::Reponses_Retirer,
     {"Take this answer back (Delete)", "Retirar esta respuesta (Supr)", "Retirer cette réponse (Suppr)"}},
    {Texte_Ajoute::Filtre_Indication,
     {"Find a tree by name (Ctrl+F)", "Buscar un árbol por su nombre (Ctrl+F)",
      "Chercher un arbre par son nom (Ctrl+F)"}},
};

}  // namespace

std::string_view Chaine_Ajoutee(Texte_Ajoute quoi, int langue) {
    const size_t l = langue >= 0 && langue <= 2 ? static_cast<size_t>(langue) : 0;
    for (const Traductions& t : kTextes) {
        if (t.quoi == quoi)
            return t.textes[l];
    }
    return {};
}

}  // namespace kestrane
