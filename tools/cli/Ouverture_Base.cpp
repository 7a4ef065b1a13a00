#include "Ouverture_Base.h"

#include <filesystem>

namespace kestrane::cli {
namespace {

// A per-user store that holds nothing: every value reads as not stored.
class Magasin_Vide : public Magasin_Utilisateur {
public:
    std::string Lit(const std::string&, const std::string&, const std::string& defaut) const override { return defaut; }
    void Ecrit(const std::string&, const std::string&, const std::string&) override {}
};

}  // namespace

std::string Reglages_Par_Defaut() {
    std::error_code erreur;
    const std::filesystem::path programme = std::filesystem::read_symlink("/proc/self/exe", erreur);
    return Registre_Machine::Chemin_Par_Defaut(erreur ? std::string(".") : programme.parent_path().string());
}

Base_Ouverte Ouvre_Base(const std::string& reglages_donnes, std::ostream& erreurs) {
    Base_Ouverte ouverte;
    const std::string fichier_reglages = reglages_donnes.empty() ? Reglages_Par_Defaut() : reglages_donnes;
    if (fichier_reglages.empty()) {
        erreurs
            << "no machine settings found: give --settings FILE, set KESTRANE_MACHINE_SETTINGS, or install "
               "Kestrane (share/kestrane/kestrane.ini under its prefix)\n";
        return ouverte;
    }
    const Registre_Machine machine = Registre_Machine::Lit(fichier_reglages);
    if (!machine.Existe()) {
        erreurs << fichier_reglages << ": cannot read this settings file\n";
        return ouverte;
    }
    ouverte.reglages = Lit_Registre(machine, Magasin_Vide());
    Chargement chargement = Charge_Base({ouverte.reglages.Chemin_Base, ouverte.reglages.Rep_Data}, nullptr);
    if (chargement.Echec) {
        erreurs << chargement.Echec->Message;
        if (!chargement.Echec->Detail.empty()) erreurs << " (" << chargement.Echec->Detail << ")";
        erreurs << "\n";
        return ouverte;
    }
    for (const auto& a : chargement.Avertissements) erreurs << "warning: " << a << "\n";
    ouverte.base = std::move(chargement.Base);
    return ouverte;
}

}  // namespace kestrane::cli
