#pragma once
// The installation paths and user options, read once at start from the machine-wide settings and
// the per-user store, and changed afterwards only by the options dialog.

#include <cstdint>
#include <string>

#include "Magasin_Utilisateur.h"
#include "Registre_Machine.h"
#include "Strategie_Recherche.h"

namespace kestrane {

struct Reglages {
    std::string Rep_Data;            // ends with "/"; prefixed to data file names
    std::string Chemin_Base;         // Rep_Data + the machine value "Base"
    std::string Rep_Descripteurs;
    std::string Rep_Executables;
    std::string Rep_Robot;
    std::string Adresse_Documents;   // a web address ending in "/" or a folder ending in "/"
    std::string Distribution;        // "hd": documents on the local disk; anything else: the web
    int16_t Seuil_Pourcent = 0;
    bool Curseur_Dynamique = false;
    Strategie_Recherche Strategie =
        Strategie_Recherche::Entropie;  // how Search chooses ("Options"/"Strategie")
    double Tolerance_Mesure = 10;       // of a measured value, percent ("Options"/"Tolerance")
    bool Vignettes_Especes = true;      // thumbnails in the results list, where the base has them ("Options"/"Vignettes")
};

// The machine values, then the user's overrides of Distribution, Seuil_Pourcent,
// Adresse_Documents, Curseur_Dynamique, Strategie and Tolerance_Mesure (10 when absent or not a
// percentage of 0 to 1000). Missing keys leave values empty, 0 or false
// (the standard strategy); a strategy name that is not known is taken as no choice.
Reglages Lit_Registre(const Registre_Machine& machine, const Magasin_Utilisateur& utilisateur);

// The interface language at start (0 English, 1 Spanish, 2 French): the user's choice, else the
// machine value, else the system language given by its primary language identifier (9 English,
// 10 Spanish, 12 French; any other gives English). A value outside 0 .. 2 from either store is
// taken as no choice, since no text of the program exists in such a language.
int16_t Choisit_Langue(const Magasin_Utilisateur& utilisateur, const Registre_Machine& machine,
                       int langue_systeme_primaire);

// The primary language identifier of a locale name such as "fr_FR" (9, 10, 12, or 0 for others).
int Langue_Primaire_Systeme(const std::string& nom_locale);

// The palette picture: the user's "Logiciel"/"Data" folder, else the machine's, followed by
// "couleur.wmf"; `defaut` when neither is stored.
std::string Chemin_Palette(const Magasin_Utilisateur& utilisateur, const Registre_Machine& machine,
                           const std::string& defaut);

// What Apply in the options dialog stores: "Options"/"Valeur", "Curseur", "Distribution",
// "Strategie", "Tolerance", "Langue", "Vignettes" and "Documents"/"Adresse", from the values given.
void Ecrit_Options(Magasin_Utilisateur& utilisateur, const Reglages& reglages, int16_t langue);

}  // namespace kestrane
