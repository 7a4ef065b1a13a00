// kestrane-cli: the knowledge base and the identification key from the command line.

#include <CLI/CLI.hpp>

#include <iostream>
#include <optional>

#include "Commande_Comparaison.h"
#include "Commande_Info.h"
#include "Commande_Parcours.h"
#include "Commande_Reponses.h"
#include "Commande_Trouve.h"
#include "Commandes_Cle.h"
#include "Conversions.h"
#include "Ouverture_Base.h"
#include "Textes_Ajoutes.h"

int main(int argc, char** argv) {
    CLI::App app{"Kestrane: the tree identification key from the command line"};
    app.require_subcommand(1);
    app.set_version_flag("--version", "kestrane-cli " KESTRANE_VERSION);

    std::string reglages_info;
    bool json_info = false;
    std::string langue_info = "en";
    auto* info = app.add_subcommand("info", "Print the counts, species and characters of a knowledge base");
    info->add_option("--settings", reglages_info,
                     "Machine settings file that names the base (found as the window finds it when absent)");
    info->add_flag("--json", json_info, "Print JSON");
    info->add_option("--lang", langue_info, "Language of the questions and states: en, es or fr")
        ->check(CLI::IsMember({"en", "es", "fr"}, CLI::ignore_case));
    info->callback([&] {
        const auto ouverte = kestrane::cli::Ouvre_Base(reglages_info, std::cerr);
        if (!ouverte.base) throw CLI::RuntimeError(1);
        kestrane::cli::Ecrit_Info(*ouverte.base, json_info, kestrane::To_Lower_Ascii(langue_info), std::cout);
    });

    std::string reglages_parcours;
    std::vector<std::string> strategies_parcours{"standard", "applicable"};
    std::optional<int> seuil_parcours;
    bool json_parcours = false;
    auto* parcours = app.add_subcommand(
        "walk",
        "Follow Search for every species, answering with its own first state, and print how well it "
        "identifies");
    parcours->add_option("--settings", reglages_parcours,
                         "Machine settings file that names the base (found as the window finds it when absent)");
    parcours->add_option("--strategy", strategies_parcours, "standard and/or applicable (both by default)")
        ->check(CLI::IsMember({"standard", "applicable"}, CLI::ignore_case));
    parcours->add_option("--threshold", seuil_parcours, "Display threshold; the settings' one when absent");
    parcours->add_flag("--json", json_parcours, "Print JSON, with every walk");
    parcours->callback([&] {
        const auto ouverte = kestrane::cli::Ouvre_Base(reglages_parcours, std::cerr);
        if (!ouverte.base)
            throw CLI::RuntimeError(1);
        std::vector<kestrane::Bilan_Parcours> bilans;
        for (const auto& nom : strategies_parcours) {
            bilans.push_back(
                kestrane::Parcourt_Especes(*ouverte.base, *kestrane::Strategie_De_Nom(nom),
                                           seuil_parcours.value_or(ouverte.reglages.Seuil_Pourcent)));
        }
        kestrane::cli::Ecrit_Parcours(*ouverte.base, bilans, json_parcours, std::cout);
    });

    std::string reglages_comparaison;
    std::vector<std::string> especes_comparees;
    std::string langue_comparaison = "en";
    bool json_comparaison = false;
    auto* comparaison = app.add_subcommand(
        "compare", "Print what tells two species apart, what they share and what is known for one");
    comparaison->add_option("species", especes_comparees, "The two species, by name or code")
        ->required()
        ->expected(2);
    comparaison->add_option("--settings", reglages_comparaison,
                            "Machine settings file that names the base (found as the window finds it when absent)");
    comparaison->add_option("--lang", langue_comparaison, "Language of the texts: en, es or fr")
        ->check(CLI::IsMember({"en", "es", "fr"}, CLI::ignore_case));
    comparaison->add_flag("--json", json_comparaison, "Print JSON");
    comparaison->callback([&] {
        const auto ouverte = kestrane::cli::Ouvre_Base(reglages_comparaison, std::cerr);
        if (!ouverte.base)
            throw CLI::RuntimeError(1);
        std::vector<int> especes;
        for (const auto& nom : especes_comparees) {
            const int s = kestrane::cli::Trouve_Espece(*ouverte.base, nom);
            if (s < 0) {
                std::cerr << "compare: no species \"" << nom << "\" in this knowledge base\n";
                throw CLI::RuntimeError(1);
            }
            especes.push_back(s);
        }
        if (especes[0] == especes[1]) {
            std::cerr << "compare: \"" << especes_comparees[0] << "\" and \"" << especes_comparees[1]
                      << "\" are the same species; give two different ones\n";
            throw CLI::RuntimeError(1);
        }
        kestrane::cli::Ecrit_Comparaison(
            *ouverte.base, kestrane::Compare_Especes(*ouverte.base, especes[0], especes[1]),
            kestrane::Langue_De_Suffixe(kestrane::To_Lower_Ascii(langue_comparaison)), json_comparaison,
            std::cout);
    });

    kestrane::cli::Options_Cle options_cle;
    int statut_cle = 0;
    kestrane::cli::Ajoute_Commandes_Cle(app, options_cle, statut_cle);
    kestrane::cli::Ajoute_Commande_Reponses(app);
    kestrane::cli::Ajoute_Commande_Trouve(app);

    // Without a known command, the message says which there are.
    const std::string premier = argc > 1 ? argv[1] : "";
    app.failure_message([premier](const CLI::App* commande, const CLI::Error& erreur) {
        std::string message = CLI::FailureMessage::simple(commande, erreur);
        if (commande->get_parent() == nullptr && commande->get_subcommands().empty()) {
            if (!premier.empty() && premier.front() != '-')
                message = "No command \"" + premier + "\".\n";
            message += "Commands:";
            for (const CLI::App* sous : commande->get_subcommands({}))
                message += " " + sous->get_name();
            message += " (kestrane-cli COMMAND --help tells more)\n";
        }
        return message;
    });
    CLI11_PARSE(app, argc, argv);
    return 0;
}
