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
     {"&Find a species by name", "&Buscar una especie por su nombre", "&Chercher une espèce par son nom"}},
    {Texte_Ajoute::Menu_Reponses, {"&Answers given", "Respuestas &dadas", "Réponses &données"}},
    {Texte_Ajoute::Reponses_Titre, {"Answers given", "Respuestas dadas", "Réponses données"}},
    {Texte_Ajoute::Reponses_Aucune,
     {"No answer yet: click a part of the portrait or a button on the right.",
      "Ninguna respuesta todavía: haga clic en una parte del retrato o en un botón de la derecha.",
      "Aucune réponse pour l'instant : cliquez une partie du portrait ou un bouton à droite."}},
    {Texte_Ajoute::Reponses_Changer,
     {"Change this answer (Enter)", "Cambiar esta respuesta (Intro)", "Changer cette réponse (Entrée)"}},
    {Texte_Ajoute::Reponses_Retirer,
     {"Take this answer back (Delete)", "Retirar esta respuesta (Supr)", "Retirer cette réponse (Suppr)"}},
    {Texte_Ajoute::Filtre_Indication,
     {"Find a species by name (Ctrl+F)", "Buscar una especie por su nombre (Ctrl+F)",
      "Chercher une espèce par son nom (Ctrl+F)"}},
    {Texte_Ajoute::Menu_Questions, {"&Questions to ask", "&Preguntas por hacer", "&Questions à poser"}},
    {Texte_Ajoute::Questions_Indication,
     {"Pick a question you can answer (Enter), or go back.",
      "Elija una pregunta que pueda contestar (Intro), o vuelva atrás.",
      "Choisissez une question à laquelle vous pouvez répondre (Entrée), ou revenez en arrière."}},
    {Texte_Ajoute::Questions_Question, {"Question", "Pregunta", "Question"}},
    {Texte_Ajoute::Questions_Pouvoir, {"Power", "Poder", "Pouvoir"}},
    {Texte_Ajoute::Menu_Comparer, {"Compare &with...", "Comparar &con...", "Comparer &avec..."}},
    {Texte_Ajoute::Comparer_Choix, {"Compare %1 with:", "Comparar %1 con:", "Comparer %1 avec :"}},
    {Texte_Ajoute::Comparaison_Titre, {"%1 and %2", "%1 y %2", "%1 et %2"}},
    {Texte_Ajoute::Comparaison_Differents,
     {"What tells them apart", "Lo que las distingue", "Ce qui les distingue"}},
    {Texte_Ajoute::Comparaison_Communs, {"What they share", "Lo que comparten", "Ce qu'elles ont en commun"}},
    {Texte_Ajoute::Comparaison_Un_Seul,
     {"Known for only one of them", "Conocido para una sola de ellas", "Connu pour une seule des deux"}},
    {Texte_Ajoute::Comparaison_Inconnu, {"not known", "desconocido", "inconnu"}},
    {Texte_Ajoute::Comparaison_Aucun, {"None.", "Ninguno.", "Aucun."}},
    {Texte_Ajoute::Questions_Autres,
     {"Search would not ask these now; you can answer them too:",
      "La búsqueda no las haría ahora; también puede contestarlas:",
      "La recherche ne les poserait pas maintenant ; vous pouvez aussi y répondre :"}},
    {Texte_Ajoute::Especes_Indication,
     {"Choose a species on the left to read its page.",
      "Elija una especie a la izquierda para leer su página.",
      "Choisissez une espèce à gauche pour lire sa page."}},
    {Texte_Ajoute::Filtre_Aucune,
     {"No species has a name holding \"%1\".", "Ninguna especie tiene un nombre que contenga «%1».",
      "Aucune espèce n'a de nom contenant « %1 »."}},
    {Texte_Ajoute::Aide_Introuvable,
     {"The user guide cannot be found: it is installed with the program (help/guide.html).",
      "No se encuentra la guía del usuario: se instala con el programa (help/guide.html).",
      "Le guide de l'utilisateur est introuvable : il s'installe avec le programme (help/guide.html)."}},
    {Texte_Ajoute::Statut_Liste,
     {"Pick a question you can answer (arrows, Enter), or press Search for the best one.",
      "Elija una pregunta que pueda contestar (flechas, Intro), o pulse Buscar para la mejor.",
      "Choisissez une question à laquelle vous pouvez répondre (flèches, Entrée), ou cliquez Chercher "
      "pour la meilleure."}},
    {Texte_Ajoute::Statut_Une_Espece,
     {"%1 alone fits best: Results shows its page.",
      "Solo %1 es la que mejor corresponde: Resultados muestra su página.",
      "%1 seule correspond le mieux : Résultats montre sa page."}},
    {Texte_Ajoute::Reponses_Aucune_Liste,
     {"No answer yet: pick a question in the list, then its answer.",
      "Ninguna respuesta todavía: elija una pregunta de la lista y luego su respuesta.",
      "Aucune réponse pour l'instant : choisissez une question dans la liste, puis sa réponse."}},
    {Texte_Ajoute::Lien_Externe,
     {"This link leads out of the species' pages:\n%1\n\nOpen it in your web browser?",
      "Este enlace lleva fuera de las páginas de las especies:\n%1\n\n¿Abrirlo en su navegador?",
      "Ce lien mène hors des pages des espèces :\n%1\n\nL'ouvrir dans votre navigateur ?"}},
    {Texte_Ajoute::Options_Tolerance,
     {"Tolerance of measurements (% of the value):", "Tolerancia de las medidas (% del valor):",
      "Tolérance des mesures (% de la valeur) :"}},
    {Texte_Ajoute::Mesure_Indication,
     {"Type the value you measured and press Enter (OK). A species matches when its range meets the value "
      "give or take the tolerance. Leave the field empty to take the answer back.",
      "Escriba el valor medido y pulse Intro (OK). Una especie coincide cuando su intervalo alcanza el valor, "
      "más o menos la tolerancia. Deje el campo vacío para retirar la respuesta.",
      "Tapez la valeur mesurée et appuyez sur Entrée (OK). Une espèce convient quand son étendue atteint la "
      "valeur, à la tolérance près. Laissez le champ vide pour retirer la réponse."}},
    {Texte_Ajoute::Mesure_Invalide,
     {"\"%1\" is not a number.", "\"%1\" no es un número.", "« %1 » n'est pas un nombre."}},
    {Texte_Ajoute::Option_Vignettes,
     {" Pictures of the species in the results list", " Imágenes de las especies en la lista de resultados",
      " Images des espèces dans la liste des résultats"}},
    {Texte_Ajoute::Quoi_Aide, {"What is this?", "¿Qué es esto?", "Qu'est-ce que c'est ?"}},
    {Texte_Ajoute::Quoi_Aide_Infobulle,
     {"Notes and pictures that explain this question (Shift+F1)", "Notas e imágenes que explican esta pregunta (Mayús+F1)",
      "Notes et images qui expliquent cette question (Maj+F1)"}},
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

int Langue_De_Suffixe(std::string_view suffixe) {
    if (!suffixe.empty() && suffixe.front() == '_')
        suffixe.remove_prefix(1);
    if (suffixe == "es")
        return 1;
    if (suffixe == "fr")
        return 2;
    return 0;
}

}  // namespace kestrane
