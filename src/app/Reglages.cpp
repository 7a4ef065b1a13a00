#include "Reglages.h"

#include <optional>

#include "Conversions.h"
#include "Mesures_Objets.h"

namespace kestrane {
namespace {

constexpr const char* kAbsent = "Fin";

std::string Ou_Vide(const std::optional<std::string>& valeur) { return valeur.value_or(std::string()); }

// A tolerance as stored: a percentage from 0 to 1000.
std::optional<double> Tolerance_Lue(const std::string& texte) {
    const auto v = Lit_Nombre(texte);
    return v && *v >= 0 && *v <= 1000 ? v : std::nullopt;
}

}  // namespace

Reglages Lit_Registre(const Registre_Machine& machine, const Magasin_Utilisateur& utilisateur) {
    Reglages r;
    r.Adresse_Documents = Ou_Vide(machine.Chemin_Valeur("Documents", "Adresse"));
    r.Rep_Data = Ou_Vide(machine.Chemin_Valeur("Logiciel", "Data"));
    r.Chemin_Base = r.Rep_Data + Ou_Vide(machine.Valeur("Logiciel", "Base"));
    r.Rep_Descripteurs = Ou_Vide(machine.Chemin_Valeur("Logiciel", "Descripteurs"));
    r.Rep_Executables = Ou_Vide(machine.Chemin_Valeur("Logiciel", "Executables"));
    r.Rep_Robot = Ou_Vide(machine.Chemin_Valeur("Logiciel", "Robot"));
    r.Curseur_Dynamique = To_Boolean(Ou_Vide(machine.Valeur("Options", "Curseur"))).value_or(false);
    r.Distribution = Ou_Vide(machine.Valeur("Options", "Distribution"));
    r.Seuil_Pourcent = Leading_Int16(Ou_Vide(machine.Valeur("Options", "Valeur"))).value_or(0);
    r.Strategie = Strategie_De_Nom(Ou_Vide(machine.Valeur("Options", "Strategie"))).value_or(r.Strategie);

    if (const std::string d = utilisateur.Lit("Options", "Distribution", kAbsent); d != kAbsent) r.Distribution = d;
    if (const auto v = Leading_Int16(utilisateur.Lit("Options", "Valeur", "-1")); v && *v != -1) r.Seuil_Pourcent = *v;
    if (const std::string a = utilisateur.Lit("Documents", "Adresse", kAbsent); a != kAbsent) r.Adresse_Documents = a;
    r.Strategie = Strategie_De_Nom(utilisateur.Lit("Options", "Strategie", kAbsent)).value_or(r.Strategie);
    for (const std::string& t : {Ou_Vide(machine.Valeur("Options", "Tolerance")),
                                 utilisateur.Lit("Options", "Tolerance", kAbsent)})
        if (const auto v = Tolerance_Lue(t))
            r.Tolerance_Mesure = *v;
    r.Vignettes_Especes = To_Boolean(utilisateur.Lit("Options", "Vignettes", kAbsent)).value_or(r.Vignettes_Especes);
    if (utilisateur.Lit("Options", "Curseur", kAbsent) != kAbsent) {
        r.Curseur_Dynamique = To_Boolean(utilisateur.Lit("Options", "Curseur", "-1")).value_or(r.Curseur_Dynamique);
    }
    return r;
}

int Langue_Primaire_Systeme(const std::string& nom_locale) {
    const std::string langue = To_Lower_Ascii(nom_locale.substr(0, 2));
    if (langue == "en") return 9;
    if (langue == "es") return 10;
    if (langue == "fr") return 12;
    return 0;
}

int16_t Choisit_Langue(const Magasin_Utilisateur& utilisateur, const Registre_Machine& machine,
                       int langue_systeme_primaire) {
    auto valide = [](int64_t langue) { return langue >= 0 && langue <= 2; };
    const int64_t choix_utilisateur = Leading_Number(utilisateur.Lit("Options", "Langue", "-1"));
    if (valide(choix_utilisateur)) return static_cast<int16_t>(choix_utilisateur);
    if (const auto valeur = machine.Valeur("Options", "Langue")) {
        const int64_t choix_machine = Leading_Number(*valeur);
        if (valide(choix_machine)) return static_cast<int16_t>(choix_machine);
    }
    switch (langue_systeme_primaire & 0x3FF) {
        case 10: return 1;
        case 12: return 2;
        default: return 0;
    }
}

std::string Chemin_Palette(const Magasin_Utilisateur& utilisateur, const Registre_Machine& machine,
                           const std::string& defaut) {
    if (const std::string data = utilisateur.Lit("Logiciel", "Data", kAbsent); data != kAbsent) {
        return data + "couleur.wmf";
    }
    if (const auto data = machine.Chemin_Valeur("Logiciel", "Data")) return *data + "couleur.wmf";
    return defaut;
}

void Ecrit_Options(Magasin_Utilisateur& utilisateur, const Reglages& reglages, int16_t langue) {
    utilisateur.Ecrit("Options", "Valeur", std::to_string(reglages.Seuil_Pourcent));
    utilisateur.Ecrit("Options", "Curseur", Boolean_Text(reglages.Curseur_Dynamique));
    utilisateur.Ecrit("Options", "Distribution", reglages.Distribution);
    utilisateur.Ecrit("Options", "Strategie", std::string(Nom_Strategie(reglages.Strategie)));
    utilisateur.Ecrit("Options", "Tolerance", Texte_Nombre(reglages.Tolerance_Mesure));
    utilisateur.Ecrit("Documents", "Adresse", reglages.Adresse_Documents);
    utilisateur.Ecrit("Options", "Langue", std::to_string(langue));
    utilisateur.Ecrit("Options", "Vignettes", Boolean_Text(reglages.Vignettes_Especes));
}

}  // namespace kestrane
