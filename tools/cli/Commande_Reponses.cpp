#include "Commande_Reponses.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

#include "Conversions.h"
#include "Commandes_Cle.h"
#include "Identification_Courante.h"
#include "Resultats_Json.h"
#include "Ouverture_Base.h"
#include "Reponses_Donnees.h"

namespace kestrane::cli {

void Ecrit_Reponses(const Base_Connaissance& base, const Identification_Courante& id, std::string_view suffixe,
                    bool json, std::ostream& out) {
    const std::vector<int16_t>& etats = id.Etats_Choisis();
    const std::vector<Reponse_Decrite> reponses =
        Decrit_Reponses(base, etats, Caracteres_Repondus(base, etats), suffixe, id.Valeurs());
    if (!json) {
        for (const Reponse_Decrite& r : reponses) {
            if (r.Mesure)
                out << r.Nom << "\t" << r.Question << "\t=\t" << Texte_Mesure(*r.Mesure, r.Unite) << "\n";
            for (const Etat_Decrit& e : r.Etats)
                out << r.Nom << "\t" << r.Question << "\t" << e.ID_CARAC << "\t" << e.Texte << "\n";
        }
        return;
    }
    out << "{\"answers\": [";
    for (size_t i = 0; i < reponses.size(); ++i) {
        const Reponse_Decrite& r = reponses[i];
        out << (i ? ", " : "") << "{\"objet\": " << Json_Texte(r.Nom)
            << ", \"question\": " << Json_Texte(r.Question);
        if (r.Mesure)
            out << ", \"measure\": {\"value\": " << Texte_Nombre(r.Mesure->Valeur)
                << ", \"unit\": " << Json_Texte(r.Unite) << ", \"tolerance\": " << Texte_Nombre(r.Mesure->Tolerance)
                << "}";
        out << ", \"states\": [";
        for (size_t k = 0; k < r.Etats.size(); ++k) {
            const Etat_Decrit& e = r.Etats[k];
            out << (k ? ", " : "") << "{\"number\": " << e.Numero << ", \"cell\": " << e.Cellule
                << ", \"id\": " << Json_Texte(e.ID_CARAC) << ", \"text\": " << Json_Texte(e.Texte)
                << ", \"value\": " << e.Valeur << "}";
        }
        out << "]}";
    }
    out << "]}\n";
}

void Ajoute_Commande_Reponses(CLI::App& app) {
    auto options = std::make_shared<Options_Cle>();
    CLI::App* commande = app.add_subcommand("answers", "Print the answers of a saved identification");
    commande->add_option(
        "--settings", options->reglages,
        "Machine settings file that names the base (found as the window finds it when absent)");
    commande->add_option("--ido", options->ido, "The saved identification to start from");
    Ajoute_Options_Reponses(*commande, *options);
    commande->add_option("--lang", options->langue, "Language of the questions and states: en, es or fr")
        ->check(CLI::IsMember({"en", "es", "fr"}, CLI::ignore_case));
    commande->add_flag("--json", options->json, "Print JSON");
    commande->callback([options] {
        if (const int statut = Execute_Commande_Cle(Commande_Cle::Reponses, *options, std::cout, std::cerr);
            statut != 0)
            throw CLI::RuntimeError(statut);
    });
}

}  // namespace kestrane::cli
