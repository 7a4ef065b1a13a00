#include "Commande_Trouve.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

#include "Resultats_Json.h"
#include "Noms_Especes.h"
#include "Ouverture_Base.h"

namespace kestrane::cli {
namespace {

struct Options_Trouve {
    std::string reglages;
    std::string texte;
    bool json = false;
};

std::string Nom_Affiche(const Noms_Especes::Nom& nom) {
    return nom.Langue.empty() ? nom.Texte : nom.Texte + " (" + nom.Langue + ")";
}

int Trouve(const Options_Trouve& options, std::ostream& out, std::ostream& err) {
    const Base_Ouverte ouverte = Ouvre_Base(options.reglages, err);
    if (!ouverte.base)
        return 1;
    const Base_Connaissance& base = *ouverte.base;
    const Noms_Especes noms = Noms_Especes::Lit(base);
    const std::vector<bool> trouvees = noms.Correspondances(options.texte);
    bool une = false;
    if (options.json)
        out << "{\"text\": " << Json_Texte(options.texte) << ", \"species\": [";
    for (size_t s = 0; s < trouvees.size() && s < base.Flore.size(); ++s) {
        if (!trouvees[s])
            continue;
        const Espece_Flore& e = base.Flore[s];
        const auto noms_trouves = noms.Noms_Trouves(s, options.texte);
        if (options.json) {
            out << (une ? ", " : "") << "{\"index\": " << s << ", \"name\": " << Json_Texte(e.Espece)
                << ", \"code\": " << Json_Texte(e.Code) << ", \"family\": " << Json_Texte(e.Famille)
                << ", \"names\": [";
            for (size_t n = 0; n < noms_trouves.size(); ++n) {
                out << (n ? ", " : "") << "{\"name\": " << Json_Texte(noms_trouves[n].Texte)
                    << ", \"language\": "
                    << (noms_trouves[n].Langue.empty() ? "null" : Json_Texte(noms_trouves[n].Langue)) << "}";
            }
            out << "]}";
        } else {
            out << e.Espece << "\t" << e.Code << "\t" << e.Famille << "\t";
            for (size_t n = 0; n < noms_trouves.size(); ++n)
                out << (n ? "; " : "") << Nom_Affiche(noms_trouves[n]);
            out << "\n";
        }
        une = true;
    }
    if (options.json)
        out << "]}\n";
    if (!une && !options.json)
        err << "no species has a name holding \"" << options.texte << "\"\n";
    return une ? 0 : 1;
}

}  // namespace

void Ajoute_Commande_Trouve(CLI::App& app) {
    auto options = std::make_shared<Options_Trouve>();
    CLI::App* commande = app.add_subcommand("find", "Find species by part of a scientific or common name");
    commande->add_option("text", options->texte, "Part of a name; case and accents do not matter")
        ->required();
    commande->add_option(
        "--settings", options->reglages,
        "Machine settings file that names the base (found as the window finds it when absent)");
    commande->add_flag("--json", options->json, "Print JSON");
    commande->callback([options] {
        if (const int statut = Trouve(*options, std::cout, std::cerr); statut != 0)
            throw CLI::RuntimeError(statut);
    });
}

}  // namespace kestrane::cli
