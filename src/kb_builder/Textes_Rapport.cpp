#include "Textes_Rapport.h"

namespace kestrane::kb {
namespace {

constexpr Textes_Rapport Anglais{"Key report",
                                 "Taxa",
                                 "Characters",
                                 "States",
                                 "Taxa no answer can separate",
                                 "Pairs of taxa that conflict on no character: %1, in %2 group(s).",
                                 "Group",
                                 "Pairs",
                                 "Pairs separated by a single character",
                                 "Pairs: %1 (one wrong answer to that character merges them).",
                                 "Character",
                                 "None.",
                                 "%1 more not shown.",
                                 "Questions needed",
                                 "Every taxon (%1) was walked from an empty identification with each "
                                 "strategy, answering with its first state.",
                                 "%1 of %2 taxa, drawn at random with seed %3, were walked from an empty "
                                 "identification with each strategy, answering with their first state.",
                                 "Strategy",
                                 "Mean questions",
                                 "Most questions",
                                 "Identified",
                                 "Identified alone",
                                 "Questions",
                                 "Walks",
                                 "Taxa not identified",
                                 "Longest walks",
                                 "Questions asked",
                                 "Asked (%1)",
                                 "Mean step (%1)",
                                 "Taxa without a coding",
                                 "Separates taxa",
                                 "Pairs it alone separates",
                                 "Weights",
                                 "Controlled by a state no taxon has",
                                 "Characters that never separate any taxa",
                                 "Characters that can never open",
                                 "yes",
                                 "no",
                                 "Taxon",
                                 "Codings missing",
                                 "Characters coded with every state",
                                 "Missing pages or pictures",
                                 "The pages are not in a local folder; they were not checked.",
                                 "Taxa with something to mend: %1.",
                                 "Texts",
                                 "Language",
                                 "Field",
                                 "Missing translations",
                                 "Texts",
                                 "The base declares no other language.",
                                 ": "};

constexpr Textes_Rapport Espagnol{
    "Informe de la clave",
    "Taxones",
    "Caracteres",
    "Estados",
    "Taxones que ninguna respuesta puede separar",
    "Pares de taxones que no se oponen en ningún carácter: %1, en %2 grupo(s).",
    "Grupo",
    "Pares",
    "Pares separados por un solo carácter",
    "Pares: %1 (una respuesta errónea a ese carácter los confunde).",
    "Carácter",
    "Ninguno.",
    "%1 más no mostrados.",
    "Preguntas necesarias",
    "Se recorrió cada taxón (%1) desde una identificación vacía con cada estrategia, respondiendo con su "
    "primer estado.",
    "Se recorrieron %1 de %2 taxones, elegidos al azar con la semilla %3, desde una identificación vacía con "
    "cada estrategia, respondiendo con su primer estado.",
    "Estrategia",
    "Media de preguntas",
    "Máximo de preguntas",
    "Identificados",
    "Identificados solos",
    "Preguntas",
    "Recorridos",
    "Taxones no identificados",
    "Recorridos más largos",
    "Preguntas formuladas",
    "Formulada (%1)",
    "Paso medio (%1)",
    "Taxones sin codificación",
    "Separa taxones",
    "Pares que solo él separa",
    "Pesos",
    "Controlado por un estado que ningún taxón tiene",
    "Caracteres que nunca separan taxones",
    "Caracteres que nunca pueden abrirse",
    "sí",
    "no",
    "Taxón",
    "Codificaciones faltantes",
    "Caracteres codificados con todos sus estados",
    "Páginas o imágenes faltantes",
    "Las páginas no están en una carpeta local; no se comprobaron.",
    "Taxones con algo que corregir: %1.",
    "Textos",
    "Idioma",
    "Campo",
    "Traducciones faltantes",
    "Textos",
    "La base no declara ningún otro idioma.",
    ": "};

constexpr Textes_Rapport Francais{
    "Rapport sur la clé",
    "Taxons",
    "Caractères",
    "États",
    "Taxons qu'aucune réponse ne peut séparer",
    "Paires de taxons qui ne s'opposent sur aucun caractère : %1, en %2 groupe(s).",
    "Groupe",
    "Paires",
    "Paires séparées par un seul caractère",
    "Paires : %1 (une seule mauvaise réponse à ce caractère les confond).",
    "Caractère",
    "Aucun.",
    "%1 autres non montrés.",
    "Questions nécessaires",
    "Chaque taxon (%1) a été parcouru depuis une identification vide avec chaque stratégie, en répondant par "
    "son premier état.",
    "%1 taxons sur %2, tirés au hasard avec la graine %3, ont été parcourus depuis une identification vide "
    "avec chaque stratégie, en répondant par leur premier état.",
    "Stratégie",
    "Nombre moyen de questions",
    "Nombre maximal de questions",
    "Identifiés",
    "Identifiés seuls",
    "Questions",
    "Parcours",
    "Taxons non identifiés",
    "Parcours les plus longs",
    "Questions posées",
    "Posée (%1)",
    "Étape moyenne (%1)",
    "Taxons sans codage",
    "Sépare des taxons",
    "Paires qu'il sépare seul",
    "Poids",
    "Commandé par un état qu'aucun taxon n'a",
    "Caractères qui ne séparent jamais aucun taxon",
    "Caractères qui ne peuvent jamais s'ouvrir",
    "oui",
    "non",
    "Taxon",
    "Codages manquants",
    "Caractères codés avec tous leurs états",
    "Pages ou images manquantes",
    "Les pages ne sont pas dans un dossier local ; elles n'ont pas été vérifiées.",
    "Taxons à corriger : %1.",
    "Textes",
    "Langue",
    "Champ",
    "Traductions manquantes",
    "Textes",
    "La base ne déclare aucune autre langue.",
    " : "};

}  // namespace

const Textes_Rapport& Textes_Du_Rapport(std::string_view langue) {
    if (langue == "es")
        return Espagnol;
    if (langue == "fr")
        return Francais;
    return Anglais;
}

std::string Remplit(std::string_view modele, const std::vector<std::string>& valeurs) {
    std::string out;
    for (size_t i = 0; i < modele.size(); ++i) {
        const size_t n = i + 1 < modele.size() ? static_cast<size_t>(modele[i + 1] - '1') : valeurs.size();
        if (modele[i] == '%' && n < valeurs.size()) {
            out += valeurs[n];
            ++i;
        } else {
            out += modele[i];
        }
    }
    return out;
}

}  // namespace kestrane::kb
