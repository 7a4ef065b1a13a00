#include "Commande_Reponses.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

#include "Conversions.h"
#include "Fichier_Identification.h"
#include "Resultats_Json.h"
#include "Ouverture_Base.h"
#include "Reponses_Donnees.h"

namespace kestrane::cli {
namespace {

struct Options_Reponses {
    std::string reglages;
    std::string ido;
    std::string langue = "en";
    bool json = false;
};

int Ecrit_Reponses(const Options_Reponses& options, std::ostream& out, std::ostream& err) {
    const Base_Ouverte ouverte = Ouvre_Base(options.reglages, err);
    if (!ouverte.base)
        return 1;
    const Base_Connaissance& base = *ouverte.base;
    const auto lu = Lit_Identification(options.ido, base.Nb_Etats_Desc, base.Nb_Cadre);
    if (!lu) {
        err << lu.status().message() << "\n";
        if (options.json)  // a reader of the JSON learns of the failure too
            out << "{\"answers\": [], \"error\": " << Json_Texte(lu.status().message()) << "}\n";
        return 1;
    }
    const std::vector<Reponse_Decrite> reponses =
        Decrit_Reponses(base, lu->Etats_Choisis, Caracteres_Repondus(base, lu->Etats_Choisis),
                        To_Lower_Ascii(options.langue));
    if (!options.json) {
        for (const Reponse_Decrite& r : reponses) {
            for (const Etat_Decrit& e : r.Etats)
                out << r.Nom << "\t" << r.Question << "\t" << e.ID_CARAC << "\t" << e.Texte << "\n";
        }
        return 0;
    }
    out << "{\"answers\": [";
    for (size_t i = 0; i < reponses.size(); ++i) {
        const Reponse_Decrite& r = reponses[i];
        out << (i ? ", " : "") << "{\"objet\": " << Json_Texte(r.Nom)
            << ", \"question\": " << Json_Texte(r.Question) << ", \"states\": [";
        for (size_t k = 0; k < r.Etats.size(); ++k) {
            const Etat_Decrit& e = r.Etats[k];
            out << (k ? ", " : "") << "{\"number\": " << e.Numero << ", \"cell\": " << e.Cellule
                << ", \"id\": " << Json_Texte(e.ID_CARAC) << ", \"text\": " << Json_Texte(e.Texte)
                << ", \"value\": " << e.Valeur << "}";
        }
        out << "]}";
    }
    out << "]}\n";
    return 0;
}

}  // namespace

void Ajoute_Commande_Reponses(CLI::App& app) {
    auto options = std::make_shared<Options_Reponses>();
    CLI::App* commande = app.add_subcommand("answers", "Print the answers of a saved identification");
    commande->add_option(
        "--settings", options->reglages,
        "Machine settings file that names the base (found as the window finds it when absent)");
    commande->add_option("--ido", options->ido, "The saved identification")->required();
    commande->add_option("--lang", options->langue, "Language of the questions and states: en, es or fr")
        ->check(CLI::IsMember({"en", "es", "fr"}, CLI::ignore_case));
    commande->add_flag("--json", options->json, "Print JSON");
    commande->callback([options] {
        if (const int statut = Ecrit_Reponses(*options, std::cout, std::cerr); statut != 0)
            throw CLI::RuntimeError(statut);
    });
}

}  // namespace kestrane::cli
