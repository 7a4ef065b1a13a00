#include "Table_Chaines.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kestrane {
namespace {

#define KESTRANE_NOTICE_EN "Copyright (c) 2026 the Kestrane authors. All rights reserved."
#define KESTRANE_NOTICE_ES "Copyright (c) 2026 los autores de Kestrane. Todos los derechos reservados."
#define KESTRANE_NOTICE_FR "Copyright (c) 2026 les auteurs de Kestrane. Tous droits réservés."
// The short notice that follows the name on the name-and-version line (the main window caption).
#define KESTRANE_SHORT_EN "(c) 2026 the Kestrane authors"
#define KESTRANE_SHORT_ES "(c) 2026 los autores de Kestrane"
#define KESTRANE_SHORT_FR "(c) 2026 les auteurs de Kestrane"

struct Entree {
    int numero;
    const char* texte;
};

// Sorted by number; the gaps between the languages are deliberate.
constexpr Entree kTable[] = {
    // English
    {1000, "&File"}, {1001, "&New identification"}, {1002, "&Open..."}, {1003, "&Save"},
    {1004, "Save &As..."}, {1005, "Propert&ies"}, {1006, "&Print..."}, {1007, "E&xit"}, {1008, "&Edit"},
    {1009, "&Iconize"}, {1010, "&Copy"}, {1011, "&View"}, {1012, "&Identification"}, {1013, "&Results"},
    {1014, "&Species list"}, {1015, "&Toolbar"}, {1016, "Status &Bar"}, {1017, "&Refresh"},
    {1018, "&Options..."}, {1019, "&Help"}, {1020, "&Contents"}, {1021, "&Search For Help On..."},
    {1022, "&About "}, {1023, "New identification"}, {1024, "Open"}, {1025, "Save"}, {1026, "Copy"},
    {1027, "Print"}, {1028, "Help"}, {1029, KESTRANE_NOTICE_EN}, {1030, "Company"}, {1031, "Warning"},
    {1032, "Version 1.0"}, {1036, "India"}, {1037, "Options"}, {1038, "Sample 1"}, {1039, "Language"},
    {1040, "Sample 3"}, {1041, "Sample 4"}, {1042, "&Apply"}, {1043, "Cancel"}, {1044, "OK"},
    {1045, "About Kestrane V.1.0"}, {1046, "&System Info..."}, {1047, "OK"}, {1048, "Warning: ..."},
    {1049, "Version"}, {1050, "Kestrane V.1.0 " KESTRANE_SHORT_EN}, {1051, "App Description"},
    {1052, "Kestrane Files (*.ido)|*.ido|All Files (*.*)|*.*"}, {1053, "New Ident."}, {1054, "Load"},
    {1055, "Save"}, {1056, "Copy"}, {1057, "Print"}, {1058, "Help"}, {1059, "Back"}, {1060, "Forward"},
    {1061, "Stop"}, {1062, "Previous document"}, {1063, "Next document"}, {1064, "Stop downloading"},
    {1065, "Errors"}, {1066, "Identification errors"},
    {1067, "Be careful ! Kestrane is currently running. Do you want to execute another one ?"},
    {1068, "Use the taskbar to change the session you are running"},
    {1069, "Error during loading the file Poids.dat, please re-install."},
    {1070, "Error during loading the file Matrice.dat, please re-install"},
    {1071, "Do you really want to quit Kestrane V.1.0 ?"}, {1072, "Do you want to save the current identification ?"},
    {1073, "Kestrane is not yet installed. Please run first Setup.exe."}, {1074, " unavailable !"},
    {1075, "No more discriminant characteristic !!!"}, {1076, "Do you want to try chararacteristics you didn't use ?"},
    {1077, "The drawing is unavailable..."}, {1078, "There is only one species"}, {1100, "Params"},
    {1101, "Language"}, {1102, "Directories"}, {1103, " Species "}, {1104, " Cursor "},
    {1105, "List the species above : "}, {1106, "List all the species"}, {1107, " Dynamic cursor"},
    {1108, " Language "}, {1109, "English"}, {1110, "Spanish"}, {1111, "French"},
    {1112, " Documents directories "}, {1113, "Web site. Adress :"}, {1114, "Hard disk drive. Path :"},
    {1115, " Search "}, {1116, "The most discriminant character"},
    {1117, "Only characters that apply to the answers given"},
    {1200, "MS Sans Serif"}, {1300, "Species"}, {1301, "Families"}, {1302, "Common names"}, {1400, "Legend"},
    {1401, "Distribution"}, {1500, "species at"},
    // Spanish
    {2000, "&Archivo"}, {2001, "&Nueva identificación"}, {2002, "&Abrir..."}, {2003, "&Guardar"},
    {2004, "Guardar &Como..."}, {2005, "Propieda&des"}, {2006, "&Imprimir..."}, {2007, "S&alir"},
    {2008, "&Editar"}, {2009, "&Iconizar"}, {2010, "&Copiar"}, {2011, "&Ver"}, {2012, "&Identificar"},
    {2013, "&Resultados"}, {2014, "&Lista de especies"}, {2015, "&Barra de herramientas"},
    {2016, "Barra &de estado"}, {2017, "&Refrescar"}, {2018, "&Opciones..."}, {2019, "&Ayuda"},
    {2020, "&Contenido"}, {2021, "&Búsqueda por ayuda sobre..."}, {2022, "&Acerca de"},
    {2023, "Nueva identificación"}, {2024, "Abrir"}, {2025, "Guardar"}, {2026, "Copiar"}, {2027, "Imprimir"},
    {2028, "Ayuda"}, {2029, KESTRANE_NOTICE_ES}, {2030, "Compañía"}, {2031, "Cuidado"},
    {2032, "Versión 2.0 Beta"}, {2033, "Plataforma"}, {2034, "Kestrane V.1.0"}, {2035, "Kestrane V.1.0"},
    {2036, "India"}, {2037, "Opciones"}, {2038, "Muestra 1"}, {2039, "Idioma"}, {2040, "Muestra 3"},
    {2041, "Muestra 4"}, {2042, "&Aplicar"}, {2043, "Cancelar"}, {2044, "OK"},
    {2045, "Acerca de Kestrane V.1.0"}, {2046, "&Información del Sistema..."}, {2047, "OK"},
    {2048, "Cuidado: ..."}, {2049, "Versión"}, {2050, "Kestrane V.1.0 " KESTRANE_SHORT_ES},
    {2051, "Descripción de la aplicación"},
    {2052, "Archivos Kestrane (*.ido)|*.ido|Todo tipo de archivos (*.*)|*.*"}, {2053, "Nuevo"},
    {2054, "Cargar"}, {2055, "Guardar"}, {2056, "Copiar"}, {2057, "Imprimir"}, {2058, "Ayuda"},
    {2059, "Retroceder"}, {2060, "Adelantar"}, {2061, "Parar"}, {2062, "Documento previo"},
    {2063, "Documento siguiente"}, {2064, "Detener acopio del programa"}, {2065, "Errores"},
    {2066, "Errores de Identificación"},
    {2067, "Cuidado ! Kestrane está activo. Desea ejecutar otro programa ?"},
    {2068, "Use la barra de tareas para cambiar la sesión en que se encuentra"},
    {2069, "Error durante la ejecución del archivo Poids.dat, por favor reinstale."},
    {2070, "Error durante la ejecución del archivo Matrice.dat, por favor reinstale."},
    {2071, "Seguro de que desea salir de Kestrane V.1.0 ?"}, {2072, "Desea guardar la identificación actual ?"},
    {2073, "Kestrane todavía no está instalado. Por favor primero ejecute Setup.exe."},
    {2074, " no disponible !"}, {2075, "No más característica discriminante !!!"},
    {2076, "Desea intentar con características que no ha usado ?"}, {2077, "El dibujo no está disponible..."},
    {2078, "Ay solamente una especie"}, {2100, "Params"}, {2101, "Lenguaje"}, {2102, "Directorios"},
    {2103, "Especies"}, {2104, "Cursor"}, {2105, "Mostrar las especies sobre : "},
    {2106, "Mostrar todas las especies"}, {2107, "Cambiar el cursor"}, {2108, "Lengua"}, {2109, "Inglés"},
    {2110, "Español"}, {2111, "Francés"}, {2112, " Directorio de los documentos"},
    {2113, "Web : directorio"}, {2114, "Disco duro : directorio"},
    {2115, " Búsqueda "}, {2116, "El carácter más discriminante"},
    {2117, "Solo los caracteres que se aplican a las respuestas dadas"}, {2200, "MS Sans Serif"},
    {2300, "Especies"}, {2301, "Familias"}, {2302, "Nombres comunes"}, {2400, "Commentario"},
    {2500, "especies al"},
    // French
    {3000, "&Fichier"}, {3001, "&Nouvelle identification"}, {3002, "&Ouvrir une identification"},
    {3003, "&Enregistrer une identification"}, {3004, "En&registrer une identification sous ..."},
    {3005, "&Propriétés"}, {3006, "&Imprimer"}, {3007, "&Quitter"}, {3008, "&Edit"},
    {3009, "&Mettre en icône"}, {3010, "&Copier"}, {3011, "&Aller à ..."}, {3012, "&Identification"},
    {3013, "&Résultats"}, {3014, "&Liste des espèces"}, {3015, "&Barre d'outils"}, {3016, "&Barre d'état"},
    {3017, "&Rafraîchir l'écran"}, {3018, "&Options ..."}, {3019, "&Aide"}, {3020, "&Contenu de l'aide"},
    {3021, "&Rechercher l'aide sur ..."}, {3022, "&A propos ..."}, {3023, "Nouvelle identification"},
    {3024, "Reprendre une identification"}, {3025, "Enregistrer l'identification en cours"},
    {3026, "Copier le document en cours"}, {3027, "Imprimer le document en cours"}, {3028, "Aide"},
    {3029, KESTRANE_NOTICE_FR}, {3030, KESTRANE_NOTICE_FR},
    {3031, "Ce logiciel est protégé par le droit d'auteur. Toute reproduction non autorisée est interdite."},
    {3032, "Version 1.0"}, {3036, "Inde"}, {3037, "Paramètres d'utilisation"}, {3038, "Exemple 1"},
    {3039, "Langue"}, {3040, "Exemple 3"}, {3041, "Exemple 4"}, {3042, "&Appliquer"}, {3043, "Annule"},
    {3044, "Ok"}, {3045, "A propos de Kestrane V.1.0"}, {3046, "&Informations sur le système"}, {3047, "Ok"},
    {3050, "Kestrane V.1.0 " KESTRANE_SHORT_FR}, {3052, "Fichiers Kestrane (*.ido)|*.ido|Tous (*.*)|*.*"},
    {3053, "Nouveau"}, {3054, "Charger"}, {3055, "Sauver"}, {3056, "Copier"}, {3057, "Imprimer"},
    {3058, "Aide"}, {3059, "Arrière"}, {3060, "Avant"}, {3061, "Stop"}, {3062, "Page précédente"},
    {3063, "Page suivante"}, {3064, "Stopper l'affichage de la page"}, {3065, "Erreurs"},
    {3066, "Caractères en contradiction"},
    {3067, "Attention! Kestrane est déjà en cours d'exécution. Voulez vous lancer une autre session ?"},
    {3068, "Vous pourrez basculer d'une session de Kestrane dans l'autre en utilisant la barre de tâches ou la "
           "combinaison des touches ALT et TAB"},
    {3069, "Erreur de lecture avec Poids.dat, veuillez réinstaller ce fichier."},
    {3070, "Erreur de lecture avec Matrice.dat, veuillez réinstaller ce fichier."},
    {3071, "Voulez vous quitter Kestrane V.1.0 ?"}, {3072, "Voulez vous enregistrer l'identification en cours ?"},
    {3073, "Kestrane V.1.0 n'est pas installé. Lancez d'abord Setup.exe"}, {3074, " introuvable !"},
    {3075, "Il n'y a plus de caractère discriminant pour ces espèces !!!!"},
    {3076, "Voulez vous utiliser les caractères que vous avez déjà passé ?"},
    {3077, "L'image correspondant à cette question est introuvable..."}, {3078, "Il ne reste plus qu'une espèce !"},
    {3100, "Paramètres"}, {3101, "Langues"}, {3102, "Répertoires"}, {3103, " Espèces "}, {3104, " Curseur "},
    {3105, "Afficher les espèces au dessus de : "}, {3106, "Afficher toutes les espèces"},
    {3107, "Changement de curseur sur les parties sensibles"}, {3108, " Langue "}, {3109, "Anglais"},
    {3110, "Espagnol"}, {3111, "Français"}, {3112, " Répertoires des documents "},
    {3113, "Site Web. Adresse :"}, {3114, "Disque dur. Chemin :"},
    {3115, " Recherche "}, {3116, "Le caractère le plus discriminant"},
    {3117, "Seulement les caractères qui s'appliquent aux réponses données"}, {3200, "MS Sans Serif"}, {3201, "8"},
    {3300, "Espèces"}, {3301, "Familles"}, {3302, "Noms vernaculaires"}, {3400, "Légende"},
    {3401, "&Aires de répartition"}, {3402, "Aires de répartition"}, {3500, "espèces à"},
};

constexpr bool Triee() {
    for (size_t i = 1; i < std::size(kTable); ++i) {
        if (kTable[i - 1].numero >= kTable[i].numero) return false;
    }
    return true;
}
static_assert(Triee(), "the string table must be sorted by number without duplicates");

}  // namespace

std::optional<std::string_view> Texte_Chaine(int numero) {
    const auto* fin = std::end(kTable);
    const auto* it = std::lower_bound(std::begin(kTable), fin, numero,
                                      [](const Entree& e, int n) { return e.numero < n; });
    if (it == fin || it->numero != numero) return std::nullopt;
    return std::string_view(it->texte);
}

std::optional<std::string_view> Chaine(int base, int langue) { return Texte_Chaine(base + 1000 * langue); }

std::string Chaine_Ou_Anglais(int base, int langue) {
    if (auto texte = Chaine(base, langue)) return std::string(*texte);
    if (auto texte = Texte_Chaine(base)) return std::string(*texte);
    return {};
}

std::vector<int> Numeros_Chaines() {
    std::vector<int> numeros;
    for (const auto& e : kTable) numeros.push_back(e.numero);
    return numeros;
}

}  // namespace kestrane
